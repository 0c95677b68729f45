#pragma once
// Reads the tanks by itself every so many minutes while the line is connected and quiet. The
// program ticks it about once a second with its own clock; it knows nothing of Qt or the port.

#include <cstdint>
#include <functional>
#include <optional>

namespace qx7 {

struct Estado_Linha {
    bool conectada = false;
    bool ociosa = false;  // protocol idle and both queues empty
    // An inventory run is under way: a reading now would have its answers taken for the run's,
    // complete it and open its screen on an unattended station. It waits until the run ends.
    bool inventario = false;
};

class Leitura_Automatica {
  public:
    static constexpr int Intervalo_Maximo = 1440;  // minutes: one a day

    explicit Leitura_Automatica(std::function<void()> ler);

    // 0 turns it off; 1..Intervalo_Maximo minutes. Out of range: false, the old value kept.
    // A new value restarts the count at the next tick; the same value again changes nothing.
    bool Definir_Intervalo(int minutos);
    int Intervalo() const { return intervalo_; }

    void Tick(std::int64_t agora_ms, Estado_Linha estado);

  private:
    std::function<void()> ler_;
    int intervalo_ = 0;
    // Start of the running count: the last reading, the enabling or the connection; empty
    // while there is none, so the next tick starts it.
    std::optional<std::int64_t> desde_ms_;
};

}  // namespace qx7
