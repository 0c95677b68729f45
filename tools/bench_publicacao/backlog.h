#pragma once
// What the publishing benchmarks share: a history file holding a backlog of readings as the
// writer would have written them (16 tanks read every minute, each with its 46-byte frame),
// and the cursor the publisher keeps in it.

#include <QString>
#include <QtGlobal>

namespace qx7::bancada {

inline constexpr int Tanques_Backlog = 16;
// A week of 16 tanks read every minute.
inline constexpr int Leituras_Semana = Tanques_Backlog * 7 * 24 * 60;

// Creates `arquivo` at the current layout with `leituras` readings from `desde_ms` on; false
// when SQLite refused.
bool Criar_Backlog(const QString& arquivo, int leituras, qint64 desde_ms);

// The publisher's cursor of the readings in `arquivo`; -1 while it has none.
qint64 Cursor_Leituras(const QString& arquivo);

// Drops the cursors, so the whole backlog is waiting again.
void Esquecer_Cursores(const QString& arquivo);

}  // namespace qx7::bancada
