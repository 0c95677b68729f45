#pragma once
// What the configuration screen asks of the program around it: the configuration file, the
// serial devices of the machine, a look at each port and the COMn entries of the base
// directory. The program fills in every member.

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "station/system_port.h"

namespace qx7 {

// The number a COMn entry gives an adapter, and whether that entry exists already.
struct Numero_COM_Adaptador {
    int numero = 0;
    bool existe = false;
};

struct Servicos_Form4 {
    // The configuration file's first field, in the file's single-byte code page; nothing when
    // the file cannot be read or is empty.
    std::function<std::optional<std::string>()> ler_porta_configurada;
    // Makes "COMn" the file's whole content; false with the reason in Portuguese (UTF-8).
    std::function<bool(std::string_view porta, std::string& erro)> gravar_porta;
    // Where the file is, for the operator's messages.
    std::filesystem::path arquivo_configuracao;
    // The port number that a first field or an entry's text names.
    std::function<std::optional<int>(std::string_view texto)> numero_porta;

    // The serial devices the system reports, each with its stable name when it has one.
    std::function<std::vector<Porta_Sistema>()> portas_presentes;
    // Whether port number n, or a device, could be used now; nothing is opened to tell, as
    // opening a serial port raises its DTR and RTS lines.
    std::function<Juizo_Porta(int numero)> julgar_com;
    std::function<Juizo_Porta(const std::filesystem::path& dispositivo)> julgar_dispositivo;
    // Whether port number n leads to the device.
    std::function<bool(int numero, const std::filesystem::path& dispositivo)> com_leva_a;

    // The number for the adapter whose stable name is `alvo`, from 1 to `maximo`, none of
    // `do_sistema` (the machine's own ports); nothing when every number is taken.
    std::function<std::optional<Numero_COM_Adaptador>(const std::filesystem::path& alvo,
                                                      const std::set<int>& do_sistema, int maximo)>
        numero_com;
    // Makes the entry COMn lead to `alvo`; false with the reason in Portuguese (UTF-8).
    std::function<bool(int numero, const std::filesystem::path& alvo, std::string& erro)> ligar_com;
};

}  // namespace qx7
