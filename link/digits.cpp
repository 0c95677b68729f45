#include "link/digits.h"

#include <algorithm>
#include <charconv>

namespace qx7 {

bool So_Digitos(std::string_view texto) {
    return !texto.empty() &&
           std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> Inteiro_Decimal(std::string_view texto) {
    int valor = 0;
    if (!So_Digitos(texto) ||
        std::from_chars(texto.data(), texto.data() + texto.size(), valor).ec != std::errc()) {
        return std::nullopt;
    }
    return valor;
}

}  // namespace qx7
