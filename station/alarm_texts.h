#pragma once
// How an alarm reads for the operator: its name, its values with their units in the regional
// format, and the log line of each raise, clear and acknowledgement. The window, its tray icon,
// the history window and the service's journal all say it the same way.

#include <QString>

#include "gauge/alarms.h"
#include "gauge/deliveries.h"

namespace qx7 {

QString Nome_Alarme(Tipo_Alarme tipo);
// "85,5 %", "61 min", "-200 s", "1,5 dias"; a fall in the tank's own unit.
QString Texto_Valor(Tipo_Alarme tipo, double valor);
// "Tanque 3: Alto", or the gauge's own alarm by its name.
QString Texto_Alarme(const Alarme& alarme);
// "Alarme levantado: Tanque 3: Alto, 85,5 % (limite 80 %)", and so on.
QString Linha_Log_Alarme(const Mudanca_Alarme& mudanca);
// "Descarga no tanque 2: 15000 (de 4000 a 19000)".
QString Linha_Log_Descarga(int tanque, const Descarga& descarga);

}  // namespace qx7
