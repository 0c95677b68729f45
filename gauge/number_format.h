#pragma once
// Numbers written as text for the operator, with the decimal separator of the operator's
// regional settings.

#include <string>

namespace qx7 {

// Pattern "##0.##": at least one integer digit, no thousands separator, at most two decimals
// (the nearest) with trailing zeros dropped; the separator is written even when no decimals
// remain (75 gives "75,").
std::string Formatar_Percentual(double valor, char separador);

// General format: no thousands separator, no trailing zeros, at most `digitos` significant
// digits (15 for double, 7 for single precision).
std::string Formato_Geral(double valor, int digitos, char separador);

}  // namespace qx7
