#pragma once
// The configuration file: one line "COM" + port number, ended by CR LF.

#include <filesystem>
#include <optional>
#include <string>

namespace qx7 {

// First field of the first line (up to its first comma, leading blanks skipped), in the
// file's single-byte code page; nothing when the file cannot be read or is empty.
std::optional<std::string> Ler_Primeiro_Campo(const std::filesystem::path& arquivo);

// The port number of a first field: its first three characters skipped, the rest read as a
// number and rounded half to even. Nothing when the field is shorter than three characters.
std::optional<int> Numero_Porta(std::string_view campo);

// Writes exactly the text and CR LF, creating the directories on the way and replacing the
// file in one step: a crash or a full disk leaves the old file whole. False on failure, with
// the reason in Portuguese (UTF-8); a file without write permission is left as it is.
bool Gravar_Configuracao(const std::filesystem::path& arquivo, std::string_view porta,
                         std::string& erro);

}  // namespace qx7
