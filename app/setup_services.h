#pragma once
// The configuration screen's services: the configuration file and the COMn entries of the
// base directory, and the system's serial devices through a Descoberta_Portas, looked at
// without opening any.

#include <filesystem>
#include <memory>

#include "screens/setup/form4_services.h"
#include "station/port_discovery.h"

namespace qx7 {

Servicos_Form4 Servicos_Configuracao(
    const std::filesystem::path& base,
    std::shared_ptr<const Descoberta_Portas> descoberta = std::make_shared<Descoberta_Portas>());

}  // namespace qx7
