#pragma once
// The configuration screen's services: the configuration file and the COMn entries of the
// base directory, the system's serial devices through a Descoberta_Portas, and the probe's
// port opening on components made by the given factory.

#include <filesystem>
#include <functional>
#include <memory>

#include "screens/setup/form4_services.h"
#include "station/port_discovery.h"

namespace qx7 {

Servicos_Form4 Servicos_Configuracao(
    const std::filesystem::path& base, std::function<std::unique_ptr<PortaSerial>()> criar_porta,
    std::shared_ptr<const Descoberta_Portas> descoberta = std::make_shared<Descoberta_Sistema>());

}  // namespace qx7
