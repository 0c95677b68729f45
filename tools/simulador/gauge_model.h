#pragma once
// The gauge's state: tank levels that drift with time (and can be set anew while it runs), the
// last reading of each tank kept in memory, the running clock, the stored programmed
// measurements.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tools/simulador/civil_time.h"
#include "tools/simulador/gauge_config.h"

namespace qx7::simulador {

struct Leitura {
    int tanque = 0;
    int medido = 0;
    int complementar = 0;
    Hora_Civil quando{};
};

class Modelo_Medidor {
  public:
    // `inicio` is the line time at which the gauge's clock shows its initial time.
    Modelo_Medidor(Config_Medidor config, Instante inicio);

    const Config_Medidor& Config() const { return config_; }
    // New settings while running: a tank whose settings changed holds its new level from
    // `agora` on and drifts from there; the others go on as they were.
    void Redefinir(Config_Medidor config, Instante agora);
    int Numero_Tanques() const { return config_.numero_tanques; }
    const Tanque_Config& Tanque(int t) const;  // t 1..16

    Hora_Civil Relogio(Instante agora) const;

    // A reading of tank t (1..Numero_Tanques) taken now; it replaces the one in memory.
    Leitura Medir(int t, Instante agora);
    // The last reading in memory of tank t.
    const Leitura& Memoria(int t) const;

    // The stored programmed measurements of a date (DDMMAA), in the order they were taken.
    std::vector<Registro_Programado> Programadas(std::string_view data) const;

  private:
    Config_Medidor config_;
    Instante inicio_;
    std::array<Instante, Maximo_Tanques> origem_{};  // each tank's level is its setting there
    Hora_Civil relogio_inicial_;
    std::array<Leitura, Maximo_Tanques> memoria_{};
};

}  // namespace qx7::simulador
