#include "screens/measurements/result_text.h"

#include <algorithm>

#include "link/digits.h"

namespace qx7 {

namespace {

// The n characters from position p (1-based), fewer or none where the text ends.
std::string_view Meio(std::string_view texto, std::size_t p, std::size_t n) {
    if (p > texto.size()) {
        return {};
    }
    return texto.substr(p - 1, n);
}

std::string_view Direita(std::string_view texto, std::size_t n) {
    return texto.substr(texto.size() - std::min(n, texto.size()));
}

std::string_view Aparar(std::string_view texto) {
    constexpr std::string_view brancos = " \t";
    const auto inicio = texto.find_first_not_of(brancos);
    if (inicio == std::string_view::npos) {
        return {};
    }
    return texto.substr(inicio, texto.find_last_not_of(brancos) - inicio + 1);
}

}  // namespace

std::string Data_Da_Legenda(std::string_view ddmmaa) {
    std::string data(Meio(ddmmaa, 1, 2));
    data += '/';
    data += Meio(ddmmaa, 3, 2);
    data += '/';
    data += Meio(ddmmaa, 5, 2);
    return data;
}

std::string Seis_Digitos(std::string_view texto) {
    std::string_view numero = Aparar(texto);
    std::string sinal;
    if (!numero.empty() && (numero.front() == '-' || numero.front() == '+')) {
        sinal = numero.front() == '-' ? "-" : "";
        numero.remove_prefix(1);
    }
    if (!So_Digitos(numero)) {
        return std::string(texto);
    }
    numero.remove_prefix(std::min(numero.find_first_not_of('0'), numero.size()));
    constexpr std::size_t minimo = 6;
    if (numero.find_first_not_of('0') == std::string_view::npos) {
        sinal.clear();  // minus zero is written as zero
    }
    return sinal + std::string(minimo - std::min(minimo, numero.size()), '0') + std::string(numero);
}

std::string Dividir_Em_Tres(std::string_view texto, char separador) {
    std::string partes(Meio(texto, 1, 2));
    partes += separador;
    partes += Meio(texto, 3, 2);
    partes += separador;
    partes += Direita(texto, 2);
    return partes;
}

}  // namespace qx7
