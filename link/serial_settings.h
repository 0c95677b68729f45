#pragma once
// The serial port's settings text, read without any port at hand.

#include <optional>
#include <string_view>

namespace qx7 {

// "9600,N,8,1": baud rate, parity (N, E, O, M or S), data bits (5 to 8), stop bits (1, 1.5, 2).
struct Parametros_Serial {
    enum class Parada { Um, Um_E_Meio, Dois };
    int baud = 9600;
    char paridade = 'N';
    int bits_dados = 8;
    Parada bits_parada = Parada::Um;
};

// Nothing when a field is missing, extra or out of range; the parity letter in either case.
std::optional<Parametros_Serial> Interpretar_Settings(std::string_view texto);

}  // namespace qx7
