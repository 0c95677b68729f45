#pragma once
// Plays arbitrary bytes from the line into the program's link and decoders, with the timers'
// ticks interleaved, and checks the invariants that must survive any input.

#include <cstddef>
#include <cstdint>
#include <string>

namespace qx7::teste {

// The first byte chooses the set-up (see line_harness.cpp); the rest arrives on the line.
// Returns empty when every invariant held, else the first one broken.
std::string Exercitar_Linha(const std::uint8_t* dados, std::size_t tamanho);

}  // namespace qx7::teste
