#include "tests/history/history_reader.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "history/connection.h"

namespace qx7::teste {

std::vector<QVariantList> Consultar(const QString& arquivo, const QString& sql) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Leitura);
    std::vector<QVariantList> linhas;
    QSqlQuery q(conexao.Banco());
    if (!conexao.Aberta() || !q.exec(sql)) {
        return linhas;
    }
    while (q.next()) {
        QVariantList colunas;
        for (int i = 0; i < q.record().count(); ++i) {
            colunas.push_back(q.value(i));
        }
        linhas.push_back(colunas);
    }
    return linhas;
}

QVariant Valor(const QString& arquivo, const QString& sql) {
    const std::vector<QVariantList> linhas = Consultar(arquivo, sql);
    return linhas.empty() || linhas.front().empty() ? QVariant() : linhas.front().front();
}

}  // namespace qx7::teste
