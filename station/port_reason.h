#pragma once
// Why a serial device cannot be opened, told to the operator in Portuguese (UTF-8).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qx7 {

// The reason for the errno `erro` of an opening: with EACCES the device's group and how to
// join it, with EBUSY the process that holds the device when known.
std::string Motivo_Porta(int erro, const std::string& grupo, std::optional<long> processo);

// The live process named in a lock file "LCK..<nome>" in one of `pastas`; stale locks (their
// process has ended) and unreadable ones name nobody.
std::optional<long> Processo_Da_Trava(const std::vector<std::filesystem::path>& pastas,
                                      const std::string& nome);

// A process that has `dispositivo` open, as far as this user may see.
std::optional<long> Processo_Com_Dispositivo(const std::filesystem::path& dispositivo);

// The name of the group that owns the file; empty when unknown.
std::string Grupo_Dono(const std::filesystem::path& arquivo);

}  // namespace qx7
