#include "gauge/fields.h"

namespace qx7 {

std::string_view Campo(std::string_view texto, std::size_t p, std::size_t n) {
    if (p == 0 || p > texto.size()) {
        return {};
    }
    return texto.substr(p - 1, n);
}

std::string_view Sem_Brancos(std::string_view texto) {
    const auto inicio = texto.find_first_not_of(' ');
    if (inicio == std::string_view::npos) {
        return {};
    }
    const auto fim = texto.find_last_not_of(' ');
    return texto.substr(inicio, fim - inicio + 1);
}

std::string Em_Pares(std::string_view texto, char separador) {
    std::string resultado(Campo(texto, 1, 2));
    resultado += separador;
    resultado += Campo(texto, 3, 2);
    resultado += separador;
    resultado += Campo(texto, 5, 2);
    return resultado;
}

}  // namespace qx7
