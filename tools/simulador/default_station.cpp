#include <array>

#include "tools/simulador/gauge_config.h"

namespace qx7::simulador {

namespace {

// A fuel station: two gasolines, ethanol, two diesels; levels and sales rates all differ.
const std::array<Tanque_Config, 6> estacao{{
    {"01", 745, 30000, 18250, {}, false, -42},
    {"02", 750, 15000, 6120, {}, false, -18},
    {"03", 789, 20000, 13400, {}, false, -27},
    {"04", 840, 30000, 24780, {}, false, -35},
    {"05", 850, 15000, 3210, {}, false, -12},
    {"01", 745, 15000, 9870, {}, false, -24},
}};

}  // namespace

Tanque_Config Tanque_Padrao(int t) {
    const int tamanho = static_cast<int>(estacao.size());
    Tanque_Config tanque = estacao[static_cast<std::size_t>((t - 1) % tamanho)];
    // Slots beyond the sixth repeat the pattern at other levels and rates.
    const int volta = (t - 1) / tamanho;
    tanque.medido = tanque.medido * (1.0 - 0.2 * volta) + 350.0 * volta;
    tanque.deriva -= 3.0 * volta;
    return tanque;
}

Config_Medidor Medidor_Padrao() {
    Config_Medidor medidor;
    for (int t = 1; t <= Maximo_Tanques; ++t) {
        medidor.tanques[static_cast<std::size_t>(t - 1)] = Tanque_Padrao(t);
    }
    return medidor;
}

}  // namespace qx7::simulador
