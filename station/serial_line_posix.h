#pragma once
// What QSerialPort does not tell about an open serial device, asked of the kernel directly
// through its file descriptor.

#include <optional>

#include "link/line_changes.h"

namespace qx7 {

// CTS, DSR, CD and RI; nothing where the device has no modem lines (a pseudo-terminal).
std::optional<Linhas_Modem> Ler_Linhas(int descritor);

// The driver's break, framing, overrun and parity counts; nothing where it keeps none.
std::optional<Contadores_Erro> Ler_Contadores(int descritor);

// Bytes in the kernel's output queue, 0 when it cannot tell.
int Fila_Saida_Kernel(int descritor);

// The UART's shift register, where the driver reports it (plain serial ports do; USB adapters
// count it in their output queue); true where it cannot tell.
bool Transmissor_Vazio(int descritor);

// A tty that was hung up (its device removed) refuses every terminal request.
bool Dispositivo_Ausente(int descritor);

}  // namespace qx7
