#include "history/reader.h"

#include "history/schema.h"

namespace qx7 {

Leitor_Historico::Leitor_Historico(const QString& arquivo)
    : conexao_(arquivo, Modo_Conexao::Leitura) {
    if (!conexao_.Aberta()) {
        erro_ = conexao_.Erro();
        return;
    }
    const int versao = Versao_Esquema(conexao_.Banco());
    if (versao > Versao_Esquema_Atual) {
        erro_ = QStringLiteral(
                    "o arquivo %1 foi gravado por uma versão mais nova do programa (formato %2; "
                    "esta versão lê até o formato %3)")
                    .arg(arquivo)
                    .arg(versao)
                    .arg(Versao_Esquema_Atual);
    } else if (versao <= 0) {
        erro_ = QStringLiteral("o arquivo %1 não é um histórico deste programa ou está danificado")
                    .arg(arquivo);
    }
}

}  // namespace qx7
