#include "screens/history/history_tab.h"

#include "history/connection.h"

namespace qx7 {

void Aba_Historico::Reler() {
    Conexao_Historico conexao(arquivo_, Modo_Conexao::Leitura);
    Atualizar(conexao.Aberta() ? &conexao.Banco() : nullptr);
}

}  // namespace qx7
