#pragma once
// The one digits-only check: device numbers, process numbers, the numbers of the settings
// text and of the gauge's answers are all plain decimal digits, in any locale.

#include <optional>
#include <string_view>

namespace qx7 {

// True when `texto` is not empty and holds only '0'..'9' (no sign, blank or point).
bool So_Digitos(std::string_view texto);

// The value of a digits-only text, leading zeros allowed; nothing when it is not one or an int
// cannot hold it.
std::optional<int> Inteiro_Decimal(std::string_view texto);

}  // namespace qx7
