#pragma once
// A serial device the system reports, with what tells it apart to a person, and what a look
// at a port (without opening it) found out.

#include <filesystem>
#include <string>

namespace qx7 {

struct Porta_Sistema {
    std::string nome;                   // "ttyUSB0"
    std::filesystem::path dispositivo;  // "/dev/ttyUSB0"
    std::string fabricante;             // UTF-8; each may be empty
    std::string produto;
    std::string numero_serie;
    // "/dev/serial/by-id/..." when that name is the adapter's alone; for an adapter without a
    // serial number of its own, "/dev/serial/by-path/...", the USB socket it is plugged into;
    // empty when there is neither.
    std::filesystem::path nome_estavel;
    bool pela_porta_fisica = false;  // nome_estavel names the socket, not the adapter
};

struct Juizo_Porta {
    enum class Situacao {
        Ausente,       // no such port
        Livre,         // it can be used
        Indisponivel,  // it cannot be used now; motivo says why
        Incerto,       // it could not be judged; motivo says why
    };
    Situacao situacao = Situacao::Ausente;
    std::string motivo;  // Portuguese, UTF-8
};

}  // namespace qx7
