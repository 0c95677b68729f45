#pragma once
// The one sequence that applies the line settings to a port and opens it: CommPort, Settings
// "9600,N,8,1", InputLen 1, RThreshold 1, DTREnable on, RTSEnable off (the transmitter raises
// it while sending), PortOpen, then Handshaking 0 and what was already received discarded.

#include "link/serial_port.h"

namespace qx7 {

// True when every step was accepted and the port is open. The sequence stops at the first
// refusal and leaves the port as the steps left it; closing it is the caller's choice. Only
// the station opens its port: the configuration screen judges ports without opening them, as
// an opening raises DTR and RTS.
bool Abrir_Porta(PortaSerial& canal, int numero);

}  // namespace qx7
