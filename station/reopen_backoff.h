#pragma once
// How long the reopen loop waits before its next attempt: a port that keeps failing, or that
// keeps dropping soon after it came back (a flapping cable), is tried less and less often.

#include <chrono>

#include "station/port_preferences.h"

namespace qx7 {

class Espera_Reabertura {
  public:
    using Relogio = std::chrono::steady_clock;

    explicit Espera_Reabertura(const Preferencias_Porta& preferencias);

    std::chrono::milliseconds Atual() const { return atual_; }

    void Tentativa_Falhou();
    void Reaberta(Relogio::time_point instante);
    // The port was lost (or found missing) at `instante`: the first wait of the attempts.
    void Perdida(Relogio::time_point instante);

  private:
    void Dobrar();

    std::chrono::milliseconds primeira_;
    std::chrono::milliseconds maior_;
    std::chrono::milliseconds estavel_;
    std::chrono::milliseconds atual_;
    bool reaberta_ = false;
    Relogio::time_point reaberta_em_{};
};

}  // namespace qx7
