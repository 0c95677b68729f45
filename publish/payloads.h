#pragma once
// The messages' contents: UTF-8 JSON, numbers as JSON numbers and null where the gauge sent
// something that is not one, instants in ISO 8601 UTC with milliseconds. docs/PUBLICACAO.md
// gives the schema of each.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "gauge/history_sink.h"
#include "history/queries_readings.h"
#include "link/link_statistics.h"

class QSqlRecord;

namespace qx7 {

// "2026-12-01T13:00:00.000Z".
QString Instante_Iso(qint64 instante_ms);

// A reading's own id for consumers that drop repeats: its instant and its tank, the same in
// every copy of the history and when it was published live ("1764594000123-3").
QString Id_Leitura(qint64 instante_ms, int tanque);
// Another row's: its instant and its number in the history ("1764594000123-42").
QString Id_Linha(qint64 instante_ms, qint64 id);

QByteArray Json_Leitura(const Leitura_Historico& leitura);
// A reading as the gauge logic hands it over, for publishing without a history.
Leitura_Historico Leitura_Ao_Vivo(const Leitura_Recebida& recebida, qint64 instante_ms);

// A row of a table as an object: column names as keys, "<x>_ms" columns as instants "<x>".
QJsonObject Objeto_Da_Linha(const QSqlRecord& linha);

// "online" with the instant it came; "offline" with none as the last will.
QByteArray Json_Estado(bool online, std::optional<qint64> instante_ms);
// The link's counters since `desde_ms`, under the history's names for them.
QByteArray Json_Enlace(const Estatisticas_Enlace& contadores, qint64 desde_ms, qint64 instante_ms);

QByteArray Compacto(const QJsonObject& objeto);

}  // namespace qx7
