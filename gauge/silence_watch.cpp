#include "gauge/silence_watch.h"

#include <utility>

namespace qx7 {

namespace {

constexpr double Um_Minuto_ms = 60.0 * 1000;

}  // namespace

std::optional<Silencio_Medidor> Vigia_Silencio::Tick(std::int64_t agora_ms,
                                                     Estado_Silencio estado) {
    const bool respondeu = std::exchange(respostas_, estado.respostas) != estado.respostas;
    if (!estado.conectado || respondeu) {
        desde_ms_.reset();
    }
    if (!estado.conectado) {
        return std::nullopt;
    }
    if (!desde_ms_ && estado.esperando) {
        desde_ms_ = agora_ms;
    }
    const double minutos =
        desde_ms_ ? static_cast<double>(agora_ms - *desde_ms_) / Um_Minuto_ms : 0.0;
    return Silencio_Medidor{minutos, respondeu};
}

}  // namespace qx7
