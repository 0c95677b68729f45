#include "link/frame.h"

namespace qx7 {

std::uint8_t Calcula_BCC(std::string_view texto) {
    std::uint8_t acumulador = 0;
    for (const char c : texto) {
        acumulador ^= static_cast<std::uint8_t>(c);
    }
    return acumulador;
}

std::string Monta_Quadro(std::string_view payload) {
    std::string quadro;
    quadro.reserve(payload.size() + 3);
    quadro += STX;
    quadro += payload;
    quadro += ETX;
    quadro += static_cast<char>(Calcula_BCC(std::string_view(quadro).substr(1)));
    return quadro;
}

bool BCC_Correto(std::string_view quadro) {
    if (quadro.size() < 2) {
        return false;
    }
    const auto meio = quadro.substr(1, quadro.size() - 2);
    return static_cast<std::uint8_t>(quadro.back()) == Calcula_BCC(meio);
}

}  // namespace qx7
