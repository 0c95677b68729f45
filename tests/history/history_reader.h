#pragma once
// Reads a history file back in the tests, on a connection of its own.

#include <QString>
#include <QVariant>
#include <vector>

namespace qx7::teste {

// Every row of the query, each as its columns.
std::vector<QVariantList> Consultar(const QString& arquivo, const QString& sql);

// The one value of a query that gives one.
QVariant Valor(const QString& arquivo, const QString& sql);

}  // namespace qx7::teste
