#include "tools/bench_publicacao/backlog.h"

#include <QSqlQuery>
#include <QVariant>
#include <string>

#include "history/connection.h"
#include "history/schema.h"
#include "link/frame.h"

namespace qx7::bancada {

namespace {

constexpr qint64 Minuto_ms = 60'000;

}  // namespace

bool Criar_Backlog(const QString& arquivo, int leituras, qint64 desde_ms) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
    QString erro;
    if (!conexao.Aberta() || !Migrar_Esquema(conexao.Banco(), erro)) {
        return false;
    }
    QSqlDatabase& banco = conexao.Banco();
    banco.transaction();
    QSqlQuery q(banco);
    q.prepare(QStringLiteral(
        "INSERT INTO leituras (instante_ms, endereco, comando, tanque, produto, densidade,"
        " capacidade, medido, complementar, unidade, texto_tanque, texto_densidade,"
        " texto_capacidade, texto_medido, texto_complementar, texto_hora, texto_data, quadro)"
        " VALUES (?, 'A01', 'MA', ?, 'GC', 0.745, 30000, ?, ?, 'V', ?, '0745', '030000', ?, ?,"
        " '10:15:00', '08/12/26', ?)"));
    for (int i = 0; i < leituras; ++i) {
        const int tanque = 1 + i % Tanques_Backlog;
        const int medido = 10000 + (i * 37) % 9000;
        const std::string quadro = Monta_Quadro("MA " + std::to_string(tanque) + "0745GC030000" +
                                                std::to_string(medido) + "0200001015000812 26V ");
        q.addBindValue(desde_ms + (i / Tanques_Backlog) * Minuto_ms + tanque);
        q.addBindValue(tanque);
        q.addBindValue(medido);
        q.addBindValue(30000 - medido);
        q.addBindValue(QString::number(tanque));
        q.addBindValue(QString::number(medido));
        q.addBindValue(QString::number(30000 - medido));
        q.addBindValue(QByteArray(quadro.data(), static_cast<qsizetype>(quadro.size())));
        if (!q.exec()) {
            return false;
        }
    }
    return banco.commit();
}

qint64 Cursor_Leituras(const QString& arquivo) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Leitura);
    QSqlQuery q(conexao.Banco());
    return conexao.Aberta() &&
                   q.exec(QStringLiteral(
                       "SELECT ultimo_id FROM publicacao_cursores WHERE fluxo = 'leituras'")) &&
                   q.next()
               ? q.value(0).toLongLong()
               : -1;
}

void Esquecer_Cursores(const QString& arquivo) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
    QSqlQuery(conexao.Banco()).exec(QStringLiteral("DROP TABLE IF EXISTS publicacao_cursores"));
}

}  // namespace qx7::bancada
