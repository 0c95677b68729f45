#pragma once
// How long the history writer waits before trying a failing file again: one second after the
// first failure, twice as long after each next one, never more than a minute.

#include <chrono>

namespace qx7 {

struct Espera_Retentativa {
    std::chrono::milliseconds inicial{1000};
    std::chrono::milliseconds maxima{60'000};

    // The wait after `falhas` failures in a row (1 or more).
    constexpr std::chrono::milliseconds Apos(int falhas) const {
        std::chrono::milliseconds espera = inicial;
        for (int i = 1; i < falhas && espera < maxima; ++i) {
            espera *= 2;
        }
        return espera < maxima ? espera : maxima;
    }
};

}  // namespace qx7
