#pragma once
// Line noise between units: a few bytes that a receiver outside a frame must drop, so never
// STX, ACK or NAK. Deterministic, so tests can repeat a run.

#include <cstdint>
#include <string>

namespace qx7::simulador {

class Gerador_Ruido {
  public:
    explicit Gerador_Ruido(std::uint32_t semente = 0x51A7u) : estado_(semente) {}
    std::string Proximo();  // one to four bytes

  private:
    std::uint32_t Sortear();
    std::uint32_t estado_;
};

}  // namespace qx7::simulador
