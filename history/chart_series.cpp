// The chart's decimation: per tank and pixel column, the rows holding the column's first and
// last time, lowest and highest measured value and lowest and highest percentage, chosen in
// SQL so that a year of readings never crosses into the program.
#include <QStringList>
#include <QVariant>

#include "history/queries.h"
#include "history/sql_helpers.h"

namespace qx7 {

namespace {

// A scratch table of the connection, keyed so that its rows lie in (tank, column, time)
// order: each of the six groupings below then reads it in order instead of sorting it.
constexpr const char* Sql_Apagar = "DROP TABLE IF EXISTS temp.colunas_grafico";
constexpr const char* Sql_Criar =
    "CREATE TEMP TABLE colunas_grafico (n INTEGER NOT NULL, b INTEGER NOT NULL,"
    " t INTEGER NOT NULL, m REAL NOT NULL, p REAL NOT NULL, PRIMARY KEY (n, b, t))"
    " WITHOUT ROWID";

// SQLite takes the other columns of a query with a single min() or max() from the row that
// holds the extreme, so each selection yields whole rows; UNION drops the repeats.
constexpr const char* Sql_Pontos =
    "SELECT n, min(t) AS t, m, p FROM temp.colunas_grafico GROUP BY n, b"
    " UNION SELECT n, max(t), m, p FROM temp.colunas_grafico GROUP BY n, b"
    " UNION SELECT n, t, min(m), p FROM temp.colunas_grafico GROUP BY n, b"
    " UNION SELECT n, t, max(m), p FROM temp.colunas_grafico GROUP BY n, b"
    " UNION SELECT n, t, m, min(p) FROM temp.colunas_grafico GROUP BY n, b"
    " UNION SELECT n, t, m, max(p) FROM temp.colunas_grafico GROUP BY n, b"
    " ORDER BY 1, 2";

// The tanks to walk: the filter's, or every tank in the file found by jumping along the
// index from one tank number to the next (a few seeks, not a scan).
QString Sql_Tanques(const Filtro_Leituras& filtro) {
    if (filtro.tanques.empty()) {
        return QStringLiteral(
            "WITH RECURSIVE todos(n) AS (SELECT min(tanque) FROM leituras UNION ALL"
            " SELECT (SELECT min(tanque) FROM leituras WHERE tanque > n) FROM todos"
            " WHERE n IS NOT NULL),"
            " tanques(n) AS (SELECT n FROM todos WHERE n IS NOT NULL)");
    }
    QStringList valores;
    for (std::size_t i = 0; i < filtro.tanques.size(); ++i) {
        valores << QStringLiteral("(?)");
    }
    return QStringLiteral("WITH tanques(n) AS (VALUES %1)").arg(valores.join(QLatin1Char(',')));
}

// The period's rows of each tank through the index, with their column: (instante_ms - de_ms)
// * colunas / (ate_ms - de_ms). Rows without a percentage cannot be drawn on both axes.
// A tank's repeated instant keeps its first row.
QString Sql_Preencher(const Filtro_Leituras& filtro) {
    return QStringLiteral(
               "%1 INSERT OR IGNORE INTO temp.colunas_grafico (n, b, t, m, p)"
               " SELECT l.tanque, (l.instante_ms - ?) * ? / ?, l.instante_ms, l.medido, %2"
               " FROM tanques CROSS JOIN leituras AS l INDEXED BY leituras_por_tanque"
               " WHERE l.tanque = tanques.n AND l.instante_ms >= ? AND l.instante_ms < ?"
               " AND %2 IS NOT NULL")
        .arg(Sql_Tanques(filtro), QLatin1String(Sql_Percentual));
}

bool Preencher(QSqlDatabase& banco, const Filtro_Leituras& filtro, int colunas) {
    QSqlQuery q(banco);
    if (!Preparar(q, Sql_Preencher(filtro))) {
        return false;
    }
    for (int tanque : filtro.tanques) {
        q.addBindValue(tanque);
    }
    for (qint64 v : {filtro.de_ms, qint64{colunas}, filtro.ate_ms - filtro.de_ms, filtro.de_ms,
                     filtro.ate_ms}) {
        q.addBindValue(v);
    }
    return Executar(q);
}

std::vector<Serie_Tanque> Ler_Pontos(QSqlDatabase& banco) {
    std::vector<Serie_Tanque> series;
    QSqlQuery q(banco);
    if (!Executar(q, Sql_Pontos)) {
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

}  // namespace

std::vector<Serie_Tanque> Series_Grafico(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                         int colunas) {
    if (colunas <= 0 || filtro.ate_ms <= filtro.de_ms) {
        return {};
    }
    QSqlQuery q(banco);
    std::vector<Serie_Tanque> series;
    if (Executar(q, Sql_Apagar) && Executar(q, Sql_Criar) && Preencher(banco, filtro, colunas)) {
        series = Ler_Pontos(banco);
    }
    Executar(q, Sql_Apagar);
    return series;
}

}  // namespace qx7
