#include "link/serial_settings.h"

#include <cctype>
#include <vector>

#include "link/digits.h"

namespace qx7 {

namespace {

std::vector<std::string_view> Campos(std::string_view texto) {
    std::vector<std::string_view> campos;
    for (;;) {
        const std::size_t virgula = texto.find(',');
        campos.push_back(texto.substr(0, virgula));
        if (virgula == std::string_view::npos) {
            return campos;
        }
        texto.remove_prefix(virgula + 1);
    }
}

std::optional<Parametros_Serial::Parada> Parada(std::string_view campo) {
    if (campo == "1") {
        return Parametros_Serial::Parada::Um;
    }
    if (campo == "1.5") {
        return Parametros_Serial::Parada::Um_E_Meio;
    }
    if (campo == "2") {
        return Parametros_Serial::Parada::Dois;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Parametros_Serial> Interpretar_Settings(std::string_view texto) {
    const std::vector<std::string_view> campos = Campos(texto);
    if (campos.size() != 4 || campos[1].size() != 1) {
        return std::nullopt;
    }
    const std::optional<int> baud = Inteiro_Decimal(campos[0]);
    const std::optional<int> bits = Inteiro_Decimal(campos[2]);
    const std::optional<Parametros_Serial::Parada> parada = Parada(campos[3]);
    const char letra = static_cast<char>(std::toupper(static_cast<unsigned char>(campos[1][0])));
    if (!baud || *baud <= 0 || !bits || *bits < 5 || *bits > 8 || !parada ||
        std::string_view("NEOMS").find(letra) == std::string_view::npos) {
        return std::nullopt;
    }
    return Parametros_Serial{*baud, letra, *bits, *parada};
}

}  // namespace qx7
