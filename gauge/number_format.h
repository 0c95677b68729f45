#pragma once
// Numbers written as text for the operator, with the decimal separator of the operator's
// regional settings. A value that cannot be written as a number shows Sem_Representacao.

#include <optional>
#include <string>

namespace qx7 {

// What a box shows for a value too large to be a number, as spreadsheets do.
inline constexpr const char* Sem_Representacao = "#####";

// Pattern "##0.##": at least one integer digit, no thousands separator, at most two decimals
// (the nearest, halves away from zero) with trailing zeros dropped; the separator is written
// even when no decimals remain (75 gives "75,"). Sem_Representacao for an infinity or NaN.
std::string Formatar_Percentual(double valor, char separador);

// Fill percentage 100 * medido / (medido + complementar), computed without overflow for any
// finite volumes; none when there is no percentage (nothing measured, nothing free, a volume
// that is not finite). The panel shows it and the alarms judge it.
std::optional<double> Valor_Percentual(double medido, double complementar);

// Fill percentage 100 * medido / (medido + complementar) as Formatar_Percentual writes it;
// computed without overflow for any finite volumes. Empty when there is no percentage
// (nothing measured, nothing free).
std::string Texto_Percentual(double medido, double complementar, char separador);

// General format: no thousands separator, no trailing zeros, at most `digitos` significant
// digits (15 for double, 7 for single precision). Sem_Representacao for an infinity or NaN.
std::string Formato_Geral(double valor, int digitos, char separador);

}  // namespace qx7
