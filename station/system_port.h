#pragma once
// A serial device the system reports, with what tells it apart to a person.

#include <filesystem>
#include <string>

namespace qx7 {

struct Porta_Sistema {
    std::string nome;                   // "ttyUSB0"
    std::filesystem::path dispositivo;  // "/dev/ttyUSB0"
    std::string fabricante;             // UTF-8; each may be empty
    std::string produto;
    std::string numero_serie;
    std::filesystem::path nome_estavel;  // "/dev/serial/by-id/..."; empty when there is none
};

}  // namespace qx7
