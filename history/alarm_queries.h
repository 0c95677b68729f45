#pragma once
// What the station and the history window read back of the alarms, the deliveries and the
// readings the forecast is drawn from. Each function runs on the caller's own connection; a file
// older than the alarms' tables reads as having none.

#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "gauge/alarms.h"
#include "gauge/deliveries.h"
#include "gauge/tank_watch.h"

namespace qx7 {

// The most occurrences the alarms' log lists, the newest.
inline constexpr int Linhas_Registro_Alarmes = 5000;

struct Alarme_Historico {
    qint64 id = 0;
    Alarme alarme;
    std::optional<qint64> normalizado_ms;
};

// Newest first, at most `limite`. Kinds this release does not know are left out.
std::vector<Alarme_Historico> Listar_Alarmes(QSqlDatabase& banco,
                                             int limite = Linhas_Registro_Alarmes);
// The occurrences never cleared, oldest first: what was active when the program last ran.
std::vector<Alarme> Alarmes_Abertos(QSqlDatabase& banco);

struct Descarga_Historico {
    qint64 id = 0;
    int tanque = 0;
    Descarga descarga;
    QString unidade;  // "V" volume, "P" weight
};
// Newest first.
std::vector<Descarga_Historico> Listar_Descargas(QSqlDatabase& banco);

// Every tank's readings from `de_ms` up to `ate_ms` included, oldest first.
std::vector<Leitura_Valores> Leituras_Para_Previsao(QSqlDatabase& banco, qint64 de_ms,
                                                    qint64 ate_ms);
// The newest reading's computer time; none when the file has no reading.
std::optional<qint64> Ultima_Leitura_ms(QSqlDatabase& banco);

}  // namespace qx7
