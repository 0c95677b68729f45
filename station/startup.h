#pragma once
// Inicializar_Canal_Serial: reads the port number from the configuration file and opens the
// port with the link's settings. Every failure closes what was opened and shows the
// configuration screen, then the whole attempt starts again from the file. When the screen
// was closed without a pick and the port still cannot be opened, the operator may end the
// program instead of seeing the screen again. A COMn entry whose device is not there yet (an
// adapter unplugged at power-up, udev not done) is no failure: the program starts with the port
// closed and opens it once the device appears.

#include <filesystem>
#include <functional>
#include <string>

#include "link/serial_port.h"

namespace qx7 {

struct Ganchos_Inicializacao {
    // Why the port would not open (UTF-8); true when a port was picked (the window's modal
    // configuration screen) or when it is to be tried again (the service).
    std::function<bool(const std::string& motivo)> abrir_configuracao;
    std::function<bool()> confirmar_saida;  // true: end the program
};

// One attempt: the file's first field, then CommPort, Settings, InputLen, RThreshold,
// DTREnable, RTSEnable, PortOpen, Handshaking and InBufferCount = 0 in this order, stopping
// at the first refusal. On failure the port is closed again and `motivo` says what failed.
bool Abrir_Canal_Serial(PortaSerial& canal, const std::filesystem::path& arquivo,
                        std::string& motivo);

enum class Inicio_Canal {
    Aberto,
    Aguardando_Dispositivo,  // settings given, the port closed until its device appears
    Sair,                    // the operator chose to end the program
};

struct Resultado_Inicio {
    Inicio_Canal inicio = Inicio_Canal::Aberto;
    std::string motivo;  // Aguardando_Dispositivo: why, for the log (UTF-8)
};

Resultado_Inicio Inicializar_Canal_Serial(PortaSerial& canal,
                                          const std::filesystem::path& diretorio_base,
                                          const Ganchos_Inicializacao& ganchos);

}  // namespace qx7
