#pragma once
// What the windows need of the station's alarms: the settings to edit, the active alarms and
// their acknowledgement by the operator, and word of every change. The station fills it; tests
// give their own; the history window alone has none of it.

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "gauge/alarms.h"

namespace qx7 {

class Sinais_Alarmes : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  signals:
    // The active alarms, or their acknowledgement, changed.
    void Mudaram();
    // A new alarm, as the operator reads it.
    void Levantado(const QString& texto);
};

struct Servicos_Alarmes {
    std::function<Config_Alarmes()> config{};
    // Kept and in force at once: empty; otherwise why not (nothing changed).
    std::function<QString(const Config_Alarmes&)> definir_config{};
    std::function<std::vector<Alarme>()> ativos{};
    // By the operator running the program; false when there was nothing to acknowledge.
    std::function<bool(Tipo_Alarme, int tanque)> reconhecer{};
    Sinais_Alarmes* sinais = nullptr;
};

}  // namespace qx7
