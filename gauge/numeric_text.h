#pragma once
// The one rule by which every number is read from a text: blanks, tabs and line feeds are
// ignored wherever they stand; an optional sign, digits, at most one "." and an optional
// exponent are read up to the first other character (a comma included); a text that does not
// begin with a number gives 0.

#include <string_view>

namespace qx7 {

double Valor_Numerico(std::string_view texto);

// Nearest whole number, halves to the even neighbour.
double Arredondar_Par(double valor);

// The rounded value as an int when it fits, otherwise nothing.
bool Inteiro_Par(double valor, int& resultado);

}  // namespace qx7
