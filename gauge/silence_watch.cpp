#include "gauge/silence_watch.h"

#include <utility>

namespace qx7 {

namespace {

constexpr double Um_Minuto_ms = 60.0 * 1000;

}  // namespace

std::optional<double> Vigia_Silencio::Tick(std::int64_t agora_ms, Estado_Silencio estado) {
    const bool respondeu = std::exchange(respostas_, estado.respostas) != estado.respostas;
    if (!estado.conectado) {
        desde_ms_.reset();
        return std::nullopt;
    }
    if (respondeu) {
        desde_ms_.reset();
    }
    if (!desde_ms_ && estado.esperando) {
        desde_ms_ = agora_ms;
    }
    return desde_ms_ ? static_cast<double>(agora_ms - *desde_ms_) / Um_Minuto_ms : 0.0;
}

}  // namespace qx7
