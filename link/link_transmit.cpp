// Putting one frame or one acknowledgement character on the line, RTS raised around it.
#include <string_view>

#include "link/codepage.h"
#include "link/frame.h"
#include "link/link.h"
#include "link/log_lines.h"

namespace qx7 {

namespace {

constexpr int Pausa_RTS_ms = 5;
// The kernel tells nothing when its output queue empties, so the wait looks again this often.
constexpr int Intervalo_Espera_ms = 2;

}  // namespace

bool Enlace::Transmite_Mensagem(const std::string& texto) {
    if (!porta_.PortOpen()) {
        Registrar_Aviso(Linha_Nao_Transmitida());
        return false;
    }
    porta_.RTSEnable(true);
    plataforma_.Pausa_ms(Pausa_RTS_ms);
    motor_.Contador_Timeout = Segundos_Timeout;
    porta_.Output(texto);
    Aguardar_Transmissao();
    // The device may have gone away during the wait: what it swallowed never left.
    const bool enviada = porta_.PortOpen();
    if (!enviada) {
        Registrar_Aviso(Linha_Nao_Transmitida());
    } else if (motor_.Contador_Timeout != 0) {
        Registrar(Linha_Transmissao(texto));
        motor_.Contador_Timeout = 0;
    } else {
        ++estatisticas_.Timeouts_Transmissao;
        Registrar_Aviso(cp1252("Status: Time-out de Transmissão!"));
    }
    plataforma_.Pausa_ms(Pausa_RTS_ms);
    porta_.RTSEnable(false);
    return enviada;
}

// A request closed out by the port is not counted as sent: nothing reached the wire. Its
// exchange ends there, counted as unanswered; "não transmitida" was its one line.
bool Enlace::Transmite_Pedido() {
    if (Transmite_Mensagem(Monta_Quadro(motor_.Msg_TX_Enviada))) {
        ++estatisticas_.Quadros_Enviados;
        return true;
    }
    ++estatisticas_.Timeouts_Recepcao;
    motor_.Estado_Protocolo = Estado_Ocioso;
    motor_.Contador_Timeout = 0;
    return false;
}

// Timer2 counts Contador_Timeout down from inside the yield; a port closed meanwhile has
// nothing more to send.
void Enlace::Aguardar_Transmissao() {
    while (porta_.PortOpen() && porta_.OutBufferCount() != 0 && motor_.Contador_Timeout != 0) {
        plataforma_.Aguardar_Eventos(Intervalo_Espera_ms);
    }
}

}  // namespace qx7
