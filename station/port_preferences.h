#pragma once
// How the serial component watches and reopens its port. Only the RS-485 mode is read from
// Preferencias.ini in the base directory (group [Porta]); the rest keeps its defaults, which
// tests shorten.

#include <chrono>
#include <filesystem>

namespace qx7 {

struct Preferencias_Porta {
    // [Porta] RS485Automatico=true: the kernel switches the RS-485 driver around each
    // transmission where the port's driver can, and the program leaves RTS alone.
    bool rs485_automatico = false;
    // Line calls that failed or ran past `limite_chamada` in a row before the port is lost.
    int falhas_ate_perda = 3;
    std::chrono::milliseconds limite_chamada{1000};
    // The wait before a reopen attempt: doubled after each failed attempt, and after a loss
    // that came less than `tempo_estavel` after the last reopen, up to `maior_espera`.
    std::chrono::milliseconds primeira_espera{1000};
    std::chrono::milliseconds maior_espera{30000};
    std::chrono::milliseconds tempo_estavel{30000};
};

Preferencias_Porta Ler_Preferencias_Porta(const std::filesystem::path& diretorio_base);

}  // namespace qx7
