#include "station/port_preferences.h"

#include <QSettings>

#include "station/history_wiring.h"

namespace qx7 {

Preferencias_Porta Ler_Preferencias_Porta(const std::filesystem::path& diretorio_base) {
    const QSettings arquivo(Arquivo_No_Diretorio(diretorio_base, Arquivo_Preferencias),
                            QSettings::IniFormat);
    Preferencias_Porta preferencias;
    preferencias.rs485_automatico =
        arquivo.value(QStringLiteral("Porta/RS485Automatico"), false).toBool();
    return preferencias;
}

}  // namespace qx7
