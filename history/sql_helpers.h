#pragma once
// What the history's queries share: the readings filter as SQL with its bound values, the
// percentage expression, and statements that log SQLite's complaint instead of failing quietly.

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>

#include "history/queries.h"

namespace qx7 {

// The measured share of measured + complementary over columns `medido` and `complementar`;
// NULL when their sum is 0 or one is missing.
inline constexpr const char* Sql_Percentual =
    "(CASE WHEN medido + complementar <> 0 THEN 100.0 * medido / (medido + complementar) END)";

// Binds the values to the statement's placeholders, in order.
void Vincular(QSqlQuery& q, std::initializer_list<QVariant> valores);

// The filter's conditions on leituras, one placeholder per value, bound by Vincular_Filtro.
QString Condicoes_Filtro(const Filtro_Leituras& filtro);
void Vincular_Filtro(QSqlQuery& q, const Filtro_Leituras& filtro);

// Forward-only statements; false, with a warning in the log, when SQLite refuses.
bool Preparar(QSqlQuery& q, const QString& sql);
bool Executar(QSqlQuery& q);
bool Executar(QSqlQuery& q, const char* sql);  // without parameters

}  // namespace qx7
