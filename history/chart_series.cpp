// The chart's decimation: per tank and pixel column, the rows holding the column's first and
// last time, lowest and highest measured value and lowest and highest percentage, chosen in
// SQL so that a year of readings never crosses into the program.
#include <QStringList>
#include <QVariant>

#include "history/queries.h"
#include "history/sql_helpers.h"

namespace qx7 {

namespace {

// The tanks to walk: the filter's, or every tank in the file found by jumping along the
// index from one tank number to the next (a few seeks, not a scan).
QString Sql_Tanques(const Filtro_Leituras& filtro) {
    if (filtro.tanques.empty()) {
        return QStringLiteral(
            "todos(n) AS (SELECT min(tanque) FROM leituras UNION ALL"
            " SELECT (SELECT min(tanque) FROM leituras WHERE tanque > n) FROM todos"
            " WHERE n IS NOT NULL),"
            " tanques(n) AS (SELECT n FROM todos WHERE n IS NOT NULL)");
    }
    QStringList valores;
    for (std::size_t i = 0; i < filtro.tanques.size(); ++i) {
        valores << QStringLiteral("(?)");
    }
    return QStringLiteral("tanques(n) AS (VALUES %1)").arg(valores.join(QLatin1Char(',')));
}

// SQLite takes the other columns of a min() or max() query from the row that holds the
// extreme, so each of the six selections yields whole rows; UNION drops the repeats.
QString Sql_Series(const Filtro_Leituras& filtro) {
    return QStringLiteral(
               "WITH RECURSIVE %1,"
               " base AS MATERIALIZED ("
               " SELECT l.tanque AS n, l.instante_ms AS t, l.medido AS m, %2 AS p,"
               " (l.instante_ms - ?) * ? / ? AS b"
               " FROM tanques CROSS JOIN leituras AS l INDEXED BY leituras_por_tanque"
               " WHERE l.tanque = tanques.n AND l.instante_ms >= ? AND l.instante_ms < ?"
               " AND l.medido IS NOT NULL AND %2 IS NOT NULL)"
               " SELECT n, min(t) AS t, m, p FROM base GROUP BY n, b"
               " UNION SELECT n, max(t), m, p FROM base GROUP BY n, b"
               " UNION SELECT n, t, min(m), p FROM base GROUP BY n, b"
               " UNION SELECT n, t, max(m), p FROM base GROUP BY n, b"
               " UNION SELECT n, t, m, min(p) FROM base GROUP BY n, b"
               " UNION SELECT n, t, m, max(p) FROM base GROUP BY n, b"
               " ORDER BY 1, 2")
        .arg(Sql_Tanques(filtro), QLatin1String(Sql_Percentual));
}

}  // namespace

std::vector<Serie_Tanque> Series_Grafico(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                         int colunas) {
    std::vector<Serie_Tanque> series;
    if (colunas <= 0 || filtro.ate_ms <= filtro.de_ms) {
        return series;
    }
    QSqlQuery q(banco);
    if (!Preparar(q, Sql_Series(filtro))) {
        return series;
    }
    for (int tanque : filtro.tanques) {
        q.addBindValue(tanque);
    }
    for (qint64 v : {filtro.de_ms, qint64{colunas}, filtro.ate_ms - filtro.de_ms, filtro.de_ms,
                     filtro.ate_ms}) {
        q.addBindValue(v);
    }
    if (!Executar(q)) {
        return series;
    }
    while (q.next()) {
        const int tanque = q.value(0).toInt();
        if (series.empty() || series.back().tanque != tanque) {
            series.push_back({tanque, {}});
        }
        series.back().pontos.push_back(
            {q.value(1).toLongLong(), q.value(2).toDouble(), q.value(3).toDouble()});
    }
    return series;
}

}  // namespace qx7
