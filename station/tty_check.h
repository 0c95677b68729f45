#pragma once
// Whether a device node is a serial terminal, told without opening it: on Linux an open()
// of a terminal raises DTR and RTS by itself, which resets equipment on other ports.

#include <filesystem>
#include <string_view>

namespace qx7 {

struct Exame_Terminal {
    enum class Resultado {
        Terminal,       // a serial port or a pseudo-terminal's slave side
        Ausente,        // no such node
        Sem_Uart,       // a serial port's address where no chip answered
        Nao_Caractere,  // a file, a folder or a block device
        Nao_Terminal,   // a character device of some other driver
        Desconhecido,   // the node or the kernel's driver table could not be read; see erro
    };
    Resultado resultado = Resultado::Desconhecido;
    int erro = 0;  // errno when Desconhecido
};

// `caminho` is followed through links. `classe_tty` is sysfs' /sys/class/tty, where a serial
// port's "type" 0 marks an address without a UART.
Exame_Terminal Examinar_Terminal(const std::filesystem::path& caminho,
                                 const std::filesystem::path& classe_tty = "/sys/class/tty");

// Whether the device maior:menor belongs to a serial or pseudo-terminal-slave driver of
// `tabela`, the text of /proc/tty/drivers.
bool Terminal_Serial(std::string_view tabela, unsigned maior, unsigned menor);

}  // namespace qx7
