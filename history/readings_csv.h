#pragma once
// The readings of a period as a CSV file, written row by row: the tab "Tanques" and the
// command line's export share it.

#include <QLocale>
#include <QSqlDatabase>
#include <QString>

#include "history/queries.h"

namespace qx7 {

// False, and `erro` in Portuguese, when the file could not be written.
bool Exportar_Leituras_Csv(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                           const QString& destino, const QLocale& local, QString& erro);

}  // namespace qx7
