#pragma once
// The simulator's command line.

#include <filesystem>
#include <optional>
#include <string>

#include "tools/simulador/gauge_config.h"

namespace qx7::simulador {

struct Opcoes {
    Config_Simulador config;
    std::optional<std::string> dispositivo;  // a real port; a pseudo-terminal when absent
    std::optional<std::filesystem::path> diretorio;
    std::optional<int> com;
    bool entrada = false;  // settings read from standard input while it runs
    bool ajuda = false;
};

// False, with the reason in `erro`, for an unknown option, a bad value or an unreadable file.
// The settings file is applied first, the other settings after it in their order.
bool Ler_Opcoes(int argc, char* const argv[], Opcoes& opcoes, std::string& erro);

std::string Texto_Ajuda();

}  // namespace qx7::simulador
