#pragma once
// The line settings and the flow control in QSerialPort's terms, and its errors told to the
// operator in Portuguese.

#include <QSerialPort>
#include <QString>
#include <optional>

#include "link/serial_settings.h"

namespace qx7 {

// Qt's own texts are English; the operator reads Portuguese. `erro_sistema` (errno) tells
// the cases Qt does not name.
QString Motivo_Erro_Qt(QSerialPort::SerialPortError codigo, int erro_sistema);

// Every setting is tried, so a refused value leaves the others in place; false when any was
// refused.
bool Aplicar(QSerialPort& porta, const Parametros_Serial& parametros);

// 0 none, 1 XON/XOFF, 2 RTS/CTS; nothing for other modes.
std::optional<QSerialPort::FlowControl> Fluxo_Qt(int modo);

}  // namespace qx7
