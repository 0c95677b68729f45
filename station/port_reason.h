#pragma once
// Why a serial device cannot be used, told to the operator in Portuguese (UTF-8).

#include <filesystem>
#include <optional>
#include <string>

namespace qx7 {

// Who owns a device node and with which rights.
struct Direitos_Arquivo {
    std::string dono;   // the user's name, or the number when it has none
    std::string grupo;  // the group's name, or the number
    unsigned gid = 0;
    unsigned modo = 0;  // st_mode, the file type included
};

std::optional<Direitos_Arquivo> Direitos(const std::filesystem::path& arquivo);

// Permission denied, with advice: joining the group when the group may read and write the
// device and is not root; otherwise its owner, group and mode, for the administrator.
std::string Motivo_Sem_Permissao(const std::optional<Direitos_Arquivo>& direitos);

// Busy, naming the process that holds the device when known.
std::string Motivo_Em_Uso(std::optional<long> processo);

// Another process that has `dispositivo` open, as far as this user may see.
std::optional<long> Processo_Com_Dispositivo(const std::filesystem::path& dispositivo);

}  // namespace qx7
