#pragma once
// Plays arbitrary bytes from the line into the program's link and decoders, with the timers'
// ticks interleaved, and checks the invariants that must survive any input.

#include <cstddef>
#include <cstdint>

namespace qx7::teste {

// The first byte chooses the set-up (see line_harness.cpp); the rest arrives on the line.
// Returns normally; a broken invariant aborts.
void Exercitar_Linha(const std::uint8_t* dados, std::size_t tamanho);

}  // namespace qx7::teste
