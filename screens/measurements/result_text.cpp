#include "screens/measurements/result_text.h"

#include <algorithm>

#include "gauge/fields.h"
#include "link/digits.h"

namespace qx7 {

namespace {

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
    std::string partes(Campo(texto, 1, 2));
    partes += separador;
    partes += Campo(texto, 3, 2);
    partes += separador;
    partes += Direita(texto, 2);
    return partes;
}

}  // namespace qx7
