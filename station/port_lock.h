#pragma once
// The "LCK..<name>" lock files with which programs claim a serial port, read the way the
// port's opening reads them: a lock counts only while the process it names still runs the
// program it names, on this boot. Only the system's lock folders count: a lock in /tmp can be
// left there by any user.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx7 {

// The lock file name that the opening of `dispositivo` uses: "LCK..ttyUSB0" for /dev/ttyUSB0,
// "LCK..pts_3" for /dev/pts/3.
std::string Nome_Trava(const std::filesystem::path& dispositivo);

// A lock file's contents: the process number, then, in the files Qt writes, the program's
// name, the host, the machine and the boot (one line each).
struct Trava {
    long processo = 0;
    std::string programa;  // empty in one-line (UUCP) files
    std::string boot;      // empty when not recorded
};

// Nothing when the text holds no process number.
std::optional<Trava> Ler_Trava(std::string_view conteudo);

// Whether the process the lock names runs, on this boot, the program the lock names. A one-line
// lock names no program and counts for nothing; a live process whose program this user may not
// see counts, as its lock could not be taken over either.
bool Trava_Vigente(const Trava& trava);

struct Estado_Trava {
    enum class Tipo { Livre, Presa, Ilegivel };
    Tipo tipo = Tipo::Livre;
    long processo = 0;              // when Presa
    std::filesystem::path arquivo;  // when Presa or Ilegivel
    int erro = 0;                   // when Ilegivel: errno, or 0 for a file of another kind
};

// The lock on `dispositivo` in the first of `pastas` that holds one that counts, or the first
// that cannot be read.
Estado_Trava Consultar_Trava(const std::vector<std::filesystem::path>& pastas,
                             const std::filesystem::path& dispositivo);

}  // namespace qx7
