#pragma once
// The alarms' settings in Preferencias.ini, group [Alarmes], in percent of the tank where they
// are levels: Alto, MuitoAlto, Baixo, MuitoBaixo and Histerese for every tank, TanqueN\Alto
// (and the other levels) for tank N over them; QuedaVolume and QuedaMinutos; SemRespostaMinutos;
// DescargaMinima; PrevisaoDias. An integrator provisions them by file; the history window edits
// the same keys. A value out of its range is refused with the reason.

#include <QSettings>
#include <QString>
#include <QStringList>

#include "gauge/alarms.h"

namespace qx7 {

inline constexpr const char* Grupo_Alarmes = "Alarmes";

struct Leitura_Config_Alarmes {
    Config_Alarmes config;  // the values read, the defaults where a key is absent or refused
    QStringList recusas;    // one line per key refused, naming it and why
};

Leitura_Config_Alarmes Ler_Config_Alarmes(QSettings& preferencias);

// Why the settings cannot be kept (a value out of range, levels in the wrong order); empty when
// they can.
QString Motivo_Recusa(const Config_Alarmes& config);

// The whole group written anew; false when the file could not be written.
bool Gravar_Config_Alarmes(QSettings& preferencias, const Config_Alarmes& config);

}  // namespace qx7
