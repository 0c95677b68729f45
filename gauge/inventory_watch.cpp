#include "gauge/inventory_watch.h"

#include <utility>

namespace qx7 {

bool Vigia_Inventario::Tick(std::int64_t agora_ms, bool em_curso) {
    if (!em_curso) {
        atividade_ = false;
        desde_ms_.reset();
        return false;
    }
    // A clock set back restarts the count rather than hold the run open until it catches up.
    if (std::exchange(atividade_, false) || !desde_ms_ || agora_ms < *desde_ms_) {
        desde_ms_ = agora_ms;
        return false;
    }
    if (agora_ms - *desde_ms_ < Silencio_Maximo_ms) {
        return false;
    }
    desde_ms_.reset();
    return true;
}

}  // namespace qx7
