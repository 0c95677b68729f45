#pragma once
// Reading the answers of the gauge by position, and the small text rules the decoders share.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx7 {

// Field p, n: the n characters from position p, counted from 1 (the STX of a frame is
// position 1); shorter where the text ends early, empty where it ends before p.
std::string_view Campo(std::string_view texto, std::size_t p, std::size_t n);

// The text without blanks at either end (tabs and other characters stay).
std::string_view Sem_Brancos(std::string_view texto);

// Six characters AABBCC shown as AA<sep>BB<sep>CC; the pieces follow the field rule, so a
// short text gives short or empty pieces and the separators are written all the same.
std::string Em_Pares(std::string_view texto, char separador);

}  // namespace qx7
