#include "history/alarm_queries.h"

#include <QSqlQuery>
#include <QVariant>

#include "history/schema.h"
#include "history/sql_helpers.h"

namespace qx7 {

namespace {

// The version that added the alarms' and the deliveries' tables.
constexpr int Versao_Alarmes = 5;

bool Tem_Alarmes(QSqlDatabase& banco) {
    return Versao_Esquema(banco) >= Versao_Alarmes;
}

// A file just made, the writer not yet through its first version, has no tables at all.
bool Tem_Leituras(QSqlDatabase& banco) {
    return Versao_Esquema(banco) >= 1;
}

std::optional<qint64> Instante(const QVariant& valor) {
    return valor.isNull() ? std::nullopt : std::optional(valor.toLongLong());
}

constexpr const char* Colunas_Alarme =
    "id, tipo, tanque, limite, valor, levantado_ms, reconhecido_ms, reconhecido_por,"
    " normalizado_ms";

// A row of Colunas_Alarme; none for a kind this release does not know.
std::optional<Alarme_Historico> Ler_Alarme(const QSqlQuery& q) {
    const std::optional<Tipo_Alarme> tipo = Tipo_Do_Nome(q.value(1).toString().toStdString());
    if (!tipo) {
        return std::nullopt;
    }
    return Alarme_Historico{q.value(0).toLongLong(),
                            {.tipo = *tipo,
                             .tanque = q.value(2).isNull() ? Sem_Tanque : q.value(2).toInt(),
                             .limite = q.value(3).toDouble(),
                             .valor = q.value(4).toDouble(),
                             .levantado_ms = q.value(5).toLongLong(),
                             .reconhecido_ms = Instante(q.value(6)),
                             .reconhecido_por = q.value(7).toString().toStdString()},
                            Instante(q.value(8))};
}

}  // namespace

std::vector<Alarme_Historico> Listar_Alarmes(QSqlDatabase& banco, int limite) {
    std::vector<Alarme_Historico> alarmes;
    QSqlQuery q(banco);
    if (!Tem_Alarmes(banco) ||
        !Preparar(q, QStringLiteral("SELECT %1 FROM alarmes ORDER BY levantado_ms DESC, id DESC"
                                    " LIMIT ?")
                         .arg(QLatin1String(Colunas_Alarme)))) {
        return alarmes;
    }
    q.addBindValue(limite);
    if (!Executar(q)) {
        return alarmes;
    }
    while (q.next()) {
        if (std::optional<Alarme_Historico> alarme = Ler_Alarme(q)) {
            alarmes.push_back(std::move(*alarme));
        }
    }
    return alarmes;
}

std::vector<Alarme> Alarmes_Abertos(QSqlDatabase& banco) {
    std::vector<Alarme> abertos;
    QSqlQuery q(banco);
    if (!Tem_Alarmes(banco) ||
        !Preparar(q, QStringLiteral("SELECT %1 FROM alarmes WHERE normalizado_ms IS NULL"
                                    " ORDER BY levantado_ms, id")
                         .arg(QLatin1String(Colunas_Alarme))) ||
        !Executar(q)) {
        return abertos;
    }
    while (q.next()) {
        if (std::optional<Alarme_Historico> alarme = Ler_Alarme(q)) {
            abertos.push_back(alarme->alarme);
        }
    }
    return abertos;
}

std::vector<Descarga_Historico> Listar_Descargas(QSqlDatabase& banco) {
    std::vector<Descarga_Historico> descargas;
    QSqlQuery q(banco);
    if (!Tem_Alarmes(banco) ||
        !Executar(q,
                  "SELECT id, tanque, inicio_ms, fim_ms, volume_antes, volume_depois, unidade"
                  " FROM descargas ORDER BY inicio_ms DESC, id DESC")) {
        return descargas;
    }
    while (q.next()) {
        descargas.push_back({q.value(0).toLongLong(),
                             q.value(1).toInt(),
                             {q.value(2).toLongLong(), q.value(3).toLongLong(),
                              q.value(4).toDouble(), q.value(5).toDouble()},
                             q.value(6).toString()});
    }
    return descargas;
}

std::vector<Leitura_Valores> Leituras_Para_Previsao(QSqlDatabase& banco, qint64 de_ms,
                                                    qint64 ate_ms) {
    std::vector<Leitura_Valores> leituras;
    QSqlQuery q(banco);
    // The chart's index holds every column read here: the rows themselves are never visited.
    if (!Tem_Leituras(banco) ||
        !Preparar(q, QStringLiteral("SELECT tanque, instante_ms, medido, complementar FROM leituras"
                                    " WHERE instante_ms >= ? AND instante_ms <= ?"
                                    " ORDER BY instante_ms"))) {
        return leituras;
    }
    Vincular(q, {de_ms, ate_ms});
    if (!Executar(q)) {
        return leituras;
    }
    const auto numero = [](const QVariant& v) {
        return v.isNull() ? std::nullopt : std::optional(v.toDouble());
    };
    while (q.next()) {
        leituras.push_back(
            {q.value(0).toInt(), q.value(1).toLongLong(), numero(q.value(2)), numero(q.value(3))});
    }
    return leituras;
}

std::optional<qint64> Ultima_Leitura_ms(QSqlDatabase& banco) {
    QSqlQuery q(banco);
    if (!Tem_Leituras(banco) || !Executar(q, "SELECT max(instante_ms) FROM leituras") ||
        !q.next()) {
        return std::nullopt;
    }
    return Instante(q.value(0));
}

}  // namespace qx7
