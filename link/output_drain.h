#pragma once
// Waiting for the output to leave the line before RTS drops, as an RS-485 adapter needs.

#include <chrono>
#include <cstdint>
#include <functional>

#include "link/serial_settings.h"

namespace qx7 {

// How long the line needs for `bytes` characters with these settings, plus a margin for the
// UART's own buffer and the driver: the most that dropping RTS waits for the output to drain.
std::chrono::milliseconds Limite_Escoamento(std::int64_t bytes,
                                            const Parametros_Serial& parametros);

// Waits until `pendentes` reports nothing left or `limite` has passed, looking again every
// millisecond; true when the output drained.
bool Esperar_Escoamento(const std::function<std::int64_t()>& pendentes,
                        std::chrono::milliseconds limite);

}  // namespace qx7
