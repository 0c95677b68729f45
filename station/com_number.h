#pragma once
// The COMn entries of the base directory: links that give a serial device a port number, so
// that a USB adapter keeps its number across replugs and reboots.

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace qx7 {

// n of a name "COMn" in either case, without leading zeros: an entry of the base directory,
// or a port as Windows names it.
std::optional<int> Numero_Do_Nome_COM(const std::string& nome);

// Number n of every entry named COMn (or comn) in `base`, with what the entry points to
// (empty for an entry that is not a link).
std::map<int, std::filesystem::path> Entradas_COM(const std::filesystem::path& base);

// The number for the device whose stable name is `alvo`: that of an entry that already leads
// to it, or else the lowest n from 1 to `maximo` with no entry and no serial port of the
// machine's own (`do_sistema` holds n for every /dev/ttyS(n-1) present). Nothing when every
// number is taken.
std::optional<int> Numero_COM(const std::map<int, std::filesystem::path>& entradas,
                              const std::set<int>& do_sistema, const std::filesystem::path& alvo,
                              int maximo);

// Makes the entry COMn in `base` (created when missing) lead to `alvo`, never a kernel name
// such as /dev/ttyUSB0. False, with the reason in Portuguese (UTF-8), on failure.
bool Ligar_COM(const std::filesystem::path& base, int n, const std::filesystem::path& alvo,
               std::string& erro);

// A name the kernel hands out in plugging order (ttyUSB0, ttyACM1): after a reboot or a replug
// it may name another adapter.
bool Nome_Do_Kernel(const std::filesystem::path& caminho);

}  // namespace qx7
