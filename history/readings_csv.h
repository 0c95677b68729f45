#pragma once
// The readings of a period as a CSV file, written page by page: the tab "Tanques" and the
// command line's export share it. The spreadsheet form gives the computer's local time and the
// same instant in UTC (ISO 8601); the form for programs gives the UTC instant only and the
// gauge's date as AAAA-MM-DD.

#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "history/csv_writer.h"
#include "history/queries_readings.h"

namespace qx7 {

// The number of readings written; none, and `erro` in Portuguese, when the file could not be
// written or the history not read. The destination is replaced only by a complete file.
std::optional<qint64> Exportar_Leituras_Csv(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                            const QString& destino, const Formato_Csv& formato,
                                            QString& erro);

}  // namespace qx7
