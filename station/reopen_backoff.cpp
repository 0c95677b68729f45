#include "station/reopen_backoff.h"

#include <algorithm>

namespace qx7 {

Espera_Reabertura::Espera_Reabertura(const Preferencias_Porta& preferencias)
    : primeira_(preferencias.primeira_espera),
      maior_(std::max(preferencias.maior_espera, preferencias.primeira_espera)),
      estavel_(preferencias.tempo_estavel),
      atual_(primeira_) {}

void Espera_Reabertura::Tentativa_Falhou() {
    Dobrar();
}

void Espera_Reabertura::Reaberta(Relogio::time_point instante) {
    reaberta_ = true;
    reaberta_em_ = instante;
}

void Espera_Reabertura::Perdida(Relogio::time_point instante) {
    if (!reaberta_ || instante - reaberta_em_ >= estavel_) {
        atual_ = primeira_;
    } else {
        Dobrar();
    }
    reaberta_ = false;
}

void Espera_Reabertura::Dobrar() {
    atual_ = std::min(2 * atual_, maior_);
}

}  // namespace qx7
