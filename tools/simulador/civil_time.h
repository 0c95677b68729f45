#pragma once
// The gauge's calendar: civil (local) time held as seconds, and its texts on the wire.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace qx7::simulador {

using Hora_Civil = std::chrono::sys_seconds;  // local wall-clock time, no time zone

Hora_Civil Hora_Local_Atual();

// "DDMMAA" and "HHMMSS" (year 20AA); nothing when either is not a valid date or time.
std::optional<Hora_Civil> Ler_Data_Hora(std::string_view ddmmaa, std::string_view hhmmss);

std::string Texto_Hora(Hora_Civil instante);  // HHMMSS
std::string Texto_Data(Hora_Civil instante);  // DDMMAA
std::string Texto_Dia(Hora_Civil instante);   // day of the week, "01" Sunday .. "07" Saturday

}  // namespace qx7::simulador
