#pragma once
// The day a tank runs dry: its consumption rate by least squares over the readings of the last
// days, and the instants at which it reaches its "Baixo" level and empty. Deliveries are left
// out: the readings between two deliveries each keep a level of their own and share one slope,
// and the readings taken while a delivery rose count for none.

#include <cstdint>
#include <optional>
#include <span>

#include "gauge/deliveries.h"

namespace qx7 {

inline constexpr std::int64_t Um_Dia_ms = 24LL * 60 * 60 * 1000;
// The history the rate is taken over.
inline constexpr std::int64_t Janela_Previsao_ms = 7 * Um_Dia_ms;
// Fewer readings, or readings over a shorter time, give no rate.
inline constexpr int Pontos_Minimos_Previsao = 3;
inline constexpr std::int64_t Periodo_Minimo_Previsao_ms = 60LL * 60 * 1000;
// A forecast further away than this is no forecast.
inline constexpr double Horizonte_Maximo_Dias = 3650;

// Units a day, positive while the tank is drawn from. `pontos` in time order, `descargas` in
// time order with the rise under way (if any) last. None when the readings are too few.
std::optional<double> Taxa_Consumo(std::span<const Ponto_Nivel> pontos,
                                   std::span<const Descarga> descargas);

struct Previsao_Tanque {
    std::optional<double> consumo_dia{};
    std::optional<std::int64_t> baixo_ms{};  // none: no "Baixo" level, or nothing drawn
    std::optional<std::int64_t> vazio_ms{};
    bool operator==(const Previsao_Tanque&) const = default;
};

// From the last reading on at the rate; a level already below "Baixo" reaches it at once.
Previsao_Tanque Prever(Ponto_Nivel atual, std::optional<double> consumo_dia,
                       std::optional<double> volume_baixo);

}  // namespace qx7
