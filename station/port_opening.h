#pragma once
// The one sequence that applies the line settings to a port and opens it: CommPort, Settings
// "9600,N,8,1", InputLen 1, RThreshold 1, DTREnable on, RTSEnable, PortOpen.

#include "link/serial_port.h"

namespace qx7 {

enum class Uso_Da_Porta {
    // The main panel's port: RTS off (the transmitter raises it while sending), stops at the
    // first refusal, then Handshaking 0 and what was already received discarded.
    Programa,
    // The configuration screen's probe: RTS on, and every step is tried even after one was
    // refused, so that the component ends up as the full sequence leaves it.
    Sondagem,
};

// True when every step was accepted and the port is open. A refusal leaves the port as the
// steps left it; closing it is the caller's choice.
bool Abrir_Porta(PortaSerial& canal, int numero, Uso_Da_Porta uso);

}  // namespace qx7
