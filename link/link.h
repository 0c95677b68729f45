#pragma once
// The serial link of the main panel: the receive assembly fed by the port's events, the two
// queues, the framing and transmission, the stop-and-wait engine and the status indicators.
// Everything runs on one thread; the only waits yield through Plataforma.

#include <functional>
#include <string>
#include <string_view>

#include "link/log_sink.h"
#include "link/panel.h"
#include "link/platform.h"
#include "link/serial_port.h"
#include "link/transmitter.h"

namespace qx7 {

class Enlace : public Transmissor {
public:
    // Gives the link variables their initial values and installs OnComm() as the port's
    // event handler; the port itself is opened and configured by the caller.
    Enlace(PortaSerial& porta, Plataforma& plataforma, Registro& registro, Painel& painel);

    // Called for every good frame received while idle, before its ACK is sent.
    std::function<void(const std::string& Msg_RX)> Processar_Mensagem_Recebida;

    void Armazena_Mensagem_TX(std::string_view Msg_TX) override;
    void Definir_Estado_Protocolo(int estado) override;
    int Estado_Protocolo() const;

    void OnComm();       // the port's event: receive assembly, line events
    void Timer1_Tick();  // every second: date, hour, running light, DSR watch
    void Timer2_Tick();  // every second: the time-out count-down
    void Timer3_Tick();  // every 25 ms: the protocol engine

private:
    struct Estado;
    // Implementation detail owned by link.cpp.
    PortaSerial& porta_;
    Plataforma& plataforma_;
    Registro& registro_;
    Painel& painel_;
};

}  // namespace qx7
