#pragma once
// Watches an inventory run for silence. Its answers follow one another within what one
// exchange can take (three tries of at most five seconds each); a run that has heard nothing
// for a minute will not complete, and is given up rather than left open for some later "MA"
// to complete hours on. Ticked about once a second with the program's clock.

#include <cstdint>
#include <optional>

namespace qx7 {

class Vigia_Inventario {
  public:
    static constexpr std::int64_t Silencio_Maximo_ms = 60'000;

    // The run started, or one of its answers arrived.
    void Sinal_De_Vida() { atividade_ = true; }
    // True, once, when the run under way has been silent for Silencio_Maximo_ms.
    bool Tick(std::int64_t agora_ms, bool em_curso);

  private:
    bool atividade_ = false;
    std::optional<std::int64_t> desde_ms_;  // the tick that last saw the run alive
};

}  // namespace qx7
