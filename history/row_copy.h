#pragma once
// Copies the rows SQLite can still read from a damaged file attached to a connection into the
// same tables of the connection's own file, in rowid order. A page that cannot be read costs
// the rows on it: the copy seeks past it and goes on with the next one it can read.

#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace qx7 {

struct Copia_Tabela {
    std::uint64_t linhas = 0;   // rows copied
    bool completa = true;       // false: some rows, or the whole table, could not be read
    bool interrompida = false;  // stopped by something other than damage: not a copy to keep
};

// `tabela` exists in both; the columns both have are copied, the row ids kept.
Copia_Tabela Copiar_Legiveis(QSqlDatabase& banco, const QString& origem, const QString& tabela);

}  // namespace qx7
