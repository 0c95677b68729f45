#include "history/sql_helpers.h"

#include <QSqlError>
#include <QStringList>
#include <QtDebug>

namespace qx7 {

void Vincular(QSqlQuery& q, std::initializer_list<QVariant> valores) {
    for (const QVariant& v : valores) {
        q.addBindValue(v);
    }
}

QString Condicoes_Filtro(const Filtro_Leituras& filtro) {
    QString sql = QStringLiteral("instante_ms >= ? AND instante_ms < ?");
    if (!filtro.tanques.empty()) {
        QStringList marcas;
        for (std::size_t i = 0; i < filtro.tanques.size(); ++i) {
            marcas << QStringLiteral("?");
        }
        sql += QStringLiteral(" AND tanque IN (%1)").arg(marcas.join(QLatin1Char(',')));
    }
    return sql;
}

void Vincular_Filtro(QSqlQuery& q, const Filtro_Leituras& filtro) {
    q.addBindValue(filtro.de_ms);
    q.addBindValue(filtro.ate_ms);
    for (int tanque : filtro.tanques) {
        q.addBindValue(tanque);
    }
}

bool Preparar(QSqlQuery& q, const QString& sql) {
    q.setForwardOnly(true);
    if (q.prepare(sql)) {
        return true;
    }
    qWarning() << "history: cannot prepare" << sql << q.lastError().text();
    return false;
}

bool Executar(QSqlQuery& q) {
    if (q.exec()) {
        return true;
    }
    qWarning() << "history: query failed" << q.lastQuery() << q.lastError().text();
    return false;
}

bool Executar(QSqlQuery& q, const char* sql) {
    return Preparar(q, QString::fromLatin1(sql)) && Executar(q);
}

}  // namespace qx7
