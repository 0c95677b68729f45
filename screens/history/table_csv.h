#pragma once
// The history's small tables as CSV: each table its header row and its rows, one table after
// the other in the same file. Numbers are written from the values the cells keep.

#include <QString>
#include <vector>

class QAbstractItemModel;

namespace qx7 {

// False, and `erro` in Portuguese, when the file could not be written.
bool Exportar_Tabelas_Csv(const std::vector<const QAbstractItemModel*>& tabelas,
                          const QString& caminho, QString& erro);

}  // namespace qx7
