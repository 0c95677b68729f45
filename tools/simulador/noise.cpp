#include "tools/simulador/noise.h"

#include "link/frame.h"

namespace qx7::simulador {

std::uint32_t Gerador_Ruido::Sortear() {
    estado_ = estado_ * 1664525u + 1013904223u;
    return estado_ >> 8;
}

std::string Gerador_Ruido::Proximo() {
    std::string ruido(1 + Sortear() % 4, '\0');
    for (char& c : ruido) {
        do {
            c = static_cast<char>(Sortear() & 0xFF);
        } while (c == STX || c == ACK || c == NAK);
    }
    return ruido;
}

}  // namespace qx7::simulador
