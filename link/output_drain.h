#pragma once
// When RTS may drop after a write, as an RS-485 adapter needs: never before the line can have
// carried the bytes, whatever the driver says; what the kernel still reports as pending can
// only lengthen the wait, and only so far.

#include <chrono>
#include <cstdint>
#include <functional>

#include "link/serial_settings.h"

namespace qx7 {

using Relogio_Linha = std::chrono::steady_clock;

// How long the line takes to carry `bytes` characters with these settings: start, data,
// parity and stop bits of each, rounded up to the microsecond.
std::chrono::microseconds Tempo_Linha(std::int64_t bytes, const Parametros_Serial& parametros);

// How long the kernel's reports may hold RTS past the line time: the line time of the `bytes`
// they report, plus a full UART buffer and a margin for the driver.
std::chrono::milliseconds Limite_Escoamento(std::int64_t bytes,
                                            const Parametros_Serial& parametros);

// What the wait needs from its surroundings, so that tests run it on a clock of their own.
struct Ambiente_Escoamento {
    std::function<Relogio_Linha::time_point()> agora;
    // Sleeps until the instant; false when the wait must end at once (the port is closing).
    std::function<bool(Relogio_Linha::time_point)> dormir_ate;
    // Output the kernel still reports, 0 when it holds none or cannot tell.
    std::function<std::int64_t()> pendentes;
};

enum class Fim_Escoamento { Escoou, Limite, Cancelado };

// Waits until `nao_antes` (the write's instant plus the line time of its bytes and one
// character), then as long as the kernel reports output left, at most Limite_Escoamento of
// what it reported first, looking again every millisecond.
Fim_Escoamento Esperar_Escoamento(const Ambiente_Escoamento& ambiente,
                                  Relogio_Linha::time_point nao_antes,
                                  const Parametros_Serial& parametros);

}  // namespace qx7
