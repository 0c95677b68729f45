#include "gauge/automatic_reading.h"

#include <utility>

namespace qx7 {

namespace {

constexpr std::int64_t Ms_Por_Minuto = 60'000;

}  // namespace

Leitura_Automatica::Leitura_Automatica(std::function<void()> ler) : ler_(std::move(ler)) {}

bool Leitura_Automatica::Definir_Intervalo(int minutos) {
    if (minutos < 0 || minutos > Intervalo_Maximo) {
        return false;
    }
    if (minutos != intervalo_) {
        intervalo_ = minutos;
        desde_ms_.reset();
    }
    return true;
}

// A reading that falls due while the line is busy (or an inventory runs) waits for the first quiet
// tick; the next one is counted from the reading itself, so two never come within one interval.
void Leitura_Automatica::Tick(std::int64_t agora_ms, Estado_Linha estado) {
    if (intervalo_ == 0 || !estado.conectada) {
        desde_ms_.reset();
        return;
    }
    // A clock set back would otherwise hold the reading off until it caught up again.
    if (!desde_ms_ || agora_ms < *desde_ms_) {
        desde_ms_ = agora_ms;
        return;
    }
    if (estado.ociosa && !estado.inventario &&
        agora_ms - *desde_ms_ >= intervalo_ * Ms_Por_Minuto) {
        desde_ms_ = agora_ms;
        ler_();
    }
}

}  // namespace qx7
