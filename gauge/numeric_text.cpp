#include "gauge/numeric_text.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace qx7 {

namespace {

bool Ignorado(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool Digito(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix that reads as a number, blanks already removed; `lido`: its length in `s`.
std::string Prefixo_Numerico(const std::string& s, std::size_t& lido) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    const std::size_t inicio_digitos = i;
    while (i < s.size() && Digito(s[i])) {
        ++i;
    }
    bool tem_digitos = i > inicio_digitos;
    if (i < s.size() && s[i] == '.') {
        ++i;
        const std::size_t inicio_fracao = i;
        while (i < s.size() && Digito(s[i])) {
            ++i;
        }
        tem_digitos = tem_digitos || i > inicio_fracao;
    }
    if (!tem_digitos) {
        lido = 0;
        return {};
    }
    lido = i;
    std::string numero = s.substr(0, i);
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        const std::size_t inicio_expoente = j;
        while (j < s.size() && Digito(s[j])) {
            ++j;
        }
        if (j > inicio_expoente) {
            numero += 'e';
            numero += s.substr(i + 1, j - i - 1);
            lido = j;
        }
    }
    return numero;
}

std::string Sem_Ignorados(std::string_view texto) {
    std::string compacto;
    compacto.reserve(texto.size());
    for (const char c : texto) {
        if (!Ignorado(c)) {
            compacto += c;
        }
    }
    return compacto;
}

std::optional<double> Ler(const std::string& numero) {
    if (numero.empty()) {
        return std::nullopt;
    }
    // from_chars reads "." whatever the operator's regional settings say.
    const char* inicio = numero.data() + (numero.front() == '+' ? 1 : 0);
    double valor = 0.0;
    const auto [fim, erro] = std::from_chars(inicio, numero.data() + numero.size(), valor);
    (void)fim;
    if (erro != std::errc{} || !std::isfinite(valor)) {
        return std::nullopt;
    }
    return valor;
}

}  // namespace

double Valor_Numerico(std::string_view texto) {
    std::size_t lido = 0;
    return Ler(Prefixo_Numerico(Sem_Ignorados(texto), lido)).value_or(0.0);
}

std::optional<double> Valor_Numerico_Exato(std::string_view texto) {
    const std::string compacto = Sem_Ignorados(texto);
    std::size_t lido = 0;
    const std::string numero = Prefixo_Numerico(compacto, lido);
    return lido == compacto.size() ? Ler(numero) : std::nullopt;
}

double Arredondar_Par(double valor) {
    const int modo = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double arredondado = std::nearbyint(valor);
    std::fesetround(modo);
    return arredondado;
}

bool Inteiro_Par(double valor, int& resultado) {
    const double arredondado = Arredondar_Par(valor);
    if (!(arredondado >= std::numeric_limits<int>::min() &&
          arredondado <= std::numeric_limits<int>::max())) {
        return false;
    }
    resultado = static_cast<int>(arredondado);
    return true;
}

}  // namespace qx7
