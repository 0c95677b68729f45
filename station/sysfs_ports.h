#pragma once
// The serial ports the kernel knows of, read from sysfs. Nothing is opened: Qt's own listing
// opens every 8250 port to ask whether a UART is there, which raises DTR and RTS on it.

#include <filesystem>
#include <vector>

#include "station/system_port.h"

namespace qx7 {

// Every entry of `classe_tty` (/sys/class/tty) with a device behind it (the virtual consoles
// have none), less the 8250 addresses where no UART answered; sorted by name, the node being
// `dispositivos`/<name>. A USB adapter carries its maker, product and serial number as its
// USB device reports them; nome_estavel is left empty.
std::vector<Porta_Sistema> Portas_Do_Sysfs(const std::filesystem::path& classe_tty,
                                           const std::filesystem::path& dispositivos);

}  // namespace qx7
