#pragma once
// The layout of Historico.sqlite and the steps that bring a file of any earlier version up to
// the current one. Version 0 is an empty file; step i brings version i to i + 1.

#include <QSqlDatabase>
#include <QString>

namespace qx7 {

inline constexpr int Versao_Esquema_Atual = 5;
// The version from which the chart's own index, leituras_grafico, exists.
inline constexpr int Versao_Indice_Grafico = 3;

// The version recorded in the file; 0 when it is empty, -1 when it cannot be read (not a
// database) or holds tables without a version (not ours).
int Versao_Esquema(QSqlDatabase& db);

// Applies the steps from the file's version up to `ate` (the current one by default), each in
// one transaction with the version row; false, and `erro` filled, when a step fails.
bool Migrar_Esquema(QSqlDatabase& db, QString& erro, int ate = Versao_Esquema_Atual);

}  // namespace qx7
