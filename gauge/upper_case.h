#pragma once
// Upper case of a text in the line's code page (Windows-1252), accented letters included.

#include <string>
#include <string_view>

namespace qx7 {

std::string Maiusculas(std::string_view texto);

}  // namespace qx7
