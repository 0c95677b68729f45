#pragma once
// What the simulated gauge is: its identity, its tanks, its stored programmed measurements,
// and the faults it is told to commit on the line.

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace qx7::simulador {

// Monotonic time of the line, as the engine's clock reports it.
using Instante = std::chrono::microseconds;

inline constexpr int Maximo_Tanques = 16;

struct Tanque_Config {
    std::string produto = "01";  // two characters
    int densidade = 745;         // kg/m3, written with four digits
    int capacidade = 30000;
    double medido = 15000;
    std::optional<double> complementar;  // the free space; capacity - measured when absent
    bool peso = false;                   // quantities are weights ("P") instead of volumes
    double deriva = -30;                 // change of the measured quantity, units a minute
    bool operator==(const Tanque_Config&) const = default;
};

struct Registro_Programado {
    std::string data;  // DDMMAA
    std::string hora;  // HHMMSS
    int tanque = 1;
    int volume = 0;
};

struct Config_Medidor {
    // Every slot is configured; only the first numero_tanques exist on the gauge. Tank t is
    // tanques[t - 1].
    std::array<Tanque_Config, Maximo_Tanques> tanques{};
    int numero_tanques = 6;
    std::string endereco = "A01";
    std::string versao = "21";
    std::string ofe = "004711";  // six digits
    bool posto = true;           // meter type "1" (station) or "0" (industrial)
    std::string senha = "qx7";
    std::vector<Registro_Programado> programadas;
    bool programadas_padrao = true;  // generate a day's records when the file gives none
    // Start of the gauge's own clock as civil time (local); the host's clock when absent.
    std::optional<std::chrono::sys_seconds> relogio_inicial;
};

// The realistic station used when nothing else is configured: six tanks of five products,
// and varied tanks in the other slots for larger tank counts.
Config_Medidor Medidor_Padrao();

// The default tank t (1..16).
Tanque_Config Tanque_Padrao(int t);

// A count of -1 means "always".
inline constexpr int Sempre = -1;

struct Falhas {
    int nak_pedidos = 0;  // answer the next n good requests with NAK
    int bcc_errado = 0;   // send the next n answer frames with a wrong check character
    int silencio = 0;     // ignore the next n requests entirely
    bool ruido = false;   // noise bytes before every unit sent
    std::optional<std::chrono::milliseconds> fragmentar{};  // one byte per write, this gap apart
    bool ritmo_linha = false;  // pace the output at 9600 baud: 960 bytes a second
};

struct Config_Simulador {
    Config_Medidor medidor = Medidor_Padrao();
    Falhas falhas;
    std::chrono::milliseconds timeout_ack{5000};
    int repeticoes = 3;  // repetitions of an answer frame on NAK
};

}  // namespace qx7::simulador
