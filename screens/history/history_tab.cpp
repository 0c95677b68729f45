#include "screens/history/history_tab.h"

#include "history/reader.h"

namespace qx7 {

void Aba_Historico::Reler() {
    Leitor_Historico leitor(arquivo_);
    Atualizar(leitor.Aberto() ? &leitor.Banco() : nullptr);
}

bool Aba_Historico::Exportar_Csv(const QString& caminho, QString& erro) {
    return Exportar_Tabelas_Csv(Tabelas(), caminho, erro);
}

Relatorio Aba_Historico::Montar_Relatorio() const {
    Relatorio relatorio{Titulo(), {}, {}, {}, false};
    for (const Tabela_Aba& tabela : Tabelas()) {
        relatorio.tabelas.push_back(Tabela_Do_Modelo(tabela));
    }
    return relatorio;
}

}  // namespace qx7
