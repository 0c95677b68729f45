#pragma once
// How the results screen turns stored texts into its date and hour columns and its caption.
// Texts are in the line's code page; pieces are taken by position, shorter or empty where the
// text ends.

#include <string>
#include <string_view>

namespace qx7 {

// The number format "000000": a whole number (blanks around it and a sign allowed) is written
// with at least six digits; any other text comes back unchanged.
std::string Seis_Digitos(std::string_view texto);

// First two characters, separator, characters 3-4, separator, the last two characters.
std::string Dividir_Em_Tres(std::string_view texto, char separador);

}  // namespace qx7
