#pragma once
// The one rule by which every number is read from a text: blanks, tabs and line feeds are
// ignored wherever they stand; an optional sign, digits, at most one "." and an optional
// exponent are read up to the first other character (a comma included); a text that does not
// begin with a number gives 0.

#include <optional>
#include <string_view>

namespace qx7 {

double Valor_Numerico(std::string_view texto);

// The value when the whole text, blanks aside, is one number by that rule; none when it is
// blank, when anything follows the number or when it does not fit a double. The history keeps
// such a field as having no value instead of 0.
std::optional<double> Valor_Numerico_Exato(std::string_view texto);

// Nearest whole number, halves to the even neighbour.
double Arredondar_Par(double valor);

// The rounded value as an int when it fits, otherwise nothing.
bool Inteiro_Par(double valor, int& resultado);

}  // namespace qx7
