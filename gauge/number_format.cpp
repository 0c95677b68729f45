#include "gauge/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qx7 {

namespace {

std::string Trocar_Separador(std::string texto, char separador) {
    for (char& c : texto) {
        if (c == '.') {
            c = separador;
        }
    }
    return texto;
}

// Removes trailing zeros of the fraction, keeping the point itself.
void Remover_Zeros(std::string& texto) {
    const auto ponto = texto.find('.');
    if (ponto == std::string::npos) {
        return;
    }
    while (texto.size() > ponto + 1 && texto.back() == '0') {
        texto.pop_back();
    }
}

// to_chars writes "." whatever the process locale is.
std::string Escrever(double valor, std::chars_format formato, int precisao) {
    char buffer[400];
    const auto resultado = std::to_chars(buffer, buffer + sizeof buffer, valor, formato, precisao);
    if (resultado.ec != std::errc{}) {
        return "0";
    }
    return std::string(buffer, resultado.ptr);
}

}  // namespace

std::string Formatar_Percentual(double valor, char separador) {
    if (!std::isfinite(valor)) {
        return {};
    }
    std::string texto = Escrever(valor, std::chars_format::fixed, 2);
    if (texto == "-0.00") {
        texto = "0.00";
    }
    Remover_Zeros(texto);
    return Trocar_Separador(std::move(texto), separador);
}

std::string Formato_Geral(double valor, int digitos, char separador) {
    if (!std::isfinite(valor)) {
        return "0";
    }
    // The general notation picks plain or exponent form the way the general format does.
    // A double holds no more than 17 significant digits; more would only overflow the buffer.
    std::string texto = Escrever(valor, std::chars_format::general, std::clamp(digitos, 1, 17));
    const auto expoente = texto.find('e');
    std::string mantissa = texto.substr(0, expoente);
    Remover_Zeros(mantissa);
    if (!mantissa.empty() && mantissa.back() == '.') {
        mantissa.pop_back();
    }
    if (mantissa == "-0") {
        mantissa = "0";
    }
    std::string resto = expoente == std::string::npos ? "" : texto.substr(expoente);
    if (!resto.empty()) {
        resto[0] = 'E';
    }
    return Trocar_Separador(mantissa + resto, separador);
}

}  // namespace qx7
