#pragma once
// Simulated time advanced in Timer3 steps of 25 ms until a condition holds.

#include <chrono>

namespace qx7::teste {

inline constexpr std::chrono::milliseconds Passo_Timer3{25};

// Takes steps until the condition holds, at most `limite` of simulated time; true if it held.
template <typename Condicao, typename Passo>
bool Passos_Ate(Condicao condicao, std::chrono::milliseconds limite, Passo passo) {
    for (auto n = limite / Passo_Timer3; n > 0; --n) {
        if (condicao()) {
            return true;
        }
        passo();
    }
    return condicao();
}

}  // namespace qx7::teste
