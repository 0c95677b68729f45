#pragma once
// What an SQLite error means for the history writer, and why it stops writing, in Portuguese.

#include <QSqlError>
#include <QString>

namespace qx7 {

enum class Natureza_Falha {
    Transitoria,         // locked, full, I/O, cannot open: the units wait and are tried again
    Arquivo_Danificado,  // corrupt, or not a database: repaired or replaced, never retried as is
    Unidade_Recusada,    // the unit itself cannot be stored: it is dropped and counted
};

Natureza_Falha Natureza(const QSqlError& erro);

// Why the file does not take units, as the operator reads it.
QString Motivo_Falha(const QSqlError& erro, const QString& arquivo);

// A failure of the file found by the history itself: one that waits like any other, and one
// that sends the file to be repaired.
QSqlError Erro_Do_Arquivo(const QString& texto);
QSqlError Erro_Arquivo_Danificado(const QString& texto);

}  // namespace qx7
