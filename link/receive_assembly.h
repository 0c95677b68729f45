#pragma once
// Assembly of received bytes into units: a frame from STX through ETX plus the check
// character, or a lone ACK or NAK. The state survives between reads, since a frame may
// arrive over many serial events.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qx7 {

// Line noise with an STX and no ETX would otherwise grow one unit without bound.
inline constexpr std::size_t Tamanho_Maximo_Unidade = 64 * 1024;

struct Montagem_RX {
    std::string Buffer_RX;
    bool Recebendo_Msg = false;
    bool Recebeu_ETX = false;
};

struct Passo_RX {
    std::optional<std::string> unidade;  // a completed unit, to be queued
    bool descartada = false;             // the unit in progress passed the size cap and was dropped
};

// One read of the port: one character, or empty when nothing was waiting.
Passo_RX Montar(Montagem_RX& estado, std::string_view Caracter_RX);

}  // namespace qx7
