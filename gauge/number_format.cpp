#include "gauge/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

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

// Shortest plain decimal text of a finite, non-negative value, always with a point.
std::string Escrever_Exato(double valor) {
    char buffer[400];
    const auto resultado =
        std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed);
    std::string texto(buffer, resultado.ptr);
    if (texto.find('.') == std::string::npos) {
        texto += '.';
    }
    return texto;
}

// Keeps `casas` fraction digits of a "digits.digits" text, a dropped 5 or more rounding the
// kept digits up (away from zero, the sign being elsewhere).
void Arredondar_Fracao(std::string& texto, std::size_t casas) {
    const std::size_t corte = texto.find('.') + 1 + casas;
    if (texto.size() <= corte) {
        return;
    }
    const bool sobe = texto[corte] >= '5';
    texto.resize(corte);
    for (std::size_t i = corte; sobe && i-- > 0;) {
        if (texto[i] == '.') {
            continue;
        }
        if (texto[i] != '9') {
            ++texto[i];
            return;
        }
        texto[i] = '0';
    }
    if (sobe) {
        texto.insert(texto.begin(), '1');
    }
}

}  // namespace

std::string Formatar_Percentual(double valor, char separador) {
    if (!std::isfinite(valor)) {
        return Sem_Representacao;
    }
    // The shortest text that reads back as the value is rounded as decimal digits, so that
    // 15.625 and 1.005 round up as the operator reads them.
    std::string texto = Escrever_Exato(std::fabs(valor));
    Arredondar_Fracao(texto, 2);
    Remover_Zeros(texto);
    if (valor < 0 && texto.find_first_not_of("0.") != std::string::npos) {
        texto.insert(texto.begin(), '-');
    }
    return Trocar_Separador(std::move(texto), separador);
}

std::optional<double> Valor_Percentual(double medido, double complementar) {
    if (!std::isfinite(medido) || !std::isfinite(complementar)) {
        return std::nullopt;
    }
    double m = medido;
    double c = complementar;
    // Near the top of the range both are scaled by the larger first, so that neither the sum
    // nor 100 * m overflows; below it they are used as they are, which keeps exact halves exact.
    const double escala = std::max(std::fabs(m), std::fabs(c));
    if (escala > std::numeric_limits<double>::max() / 200.0) {
        m /= escala;
        c /= escala;
    }
    if (m + c == 0.0) {
        return std::nullopt;
    }
    return 100.0 * m / (m + c);
}

std::string Texto_Percentual(double medido, double complementar, char separador) {
    if (!std::isfinite(medido) || !std::isfinite(complementar)) {
        return Sem_Representacao;
    }
    const std::optional<double> percentual = Valor_Percentual(medido, complementar);
    return percentual ? Formatar_Percentual(*percentual, separador) : std::string();
}

std::string Formato_Geral(double valor, int digitos, char separador) {
    if (!std::isfinite(valor)) {
        return Sem_Representacao;
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
        mantissa.erase(0, 1);  // erase, not assignment: GCC 12 warns falsely on the latter
    }
    std::string resto = expoente == std::string::npos ? "" : texto.substr(expoente);
    if (!resto.empty()) {
        resto[0] = 'E';
    }
    return Trocar_Separador(mantissa + resto, separador);
}

}  // namespace qx7
