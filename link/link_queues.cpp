// The receive and transmit queues as the link fills and empties them, with their log lines.
#include <utility>

#include "link/codepage.h"
#include "link/link.h"
#include "link/log_lines.h"

namespace qx7 {

void Enlace::Armazena_Mensagem_TX(std::string_view Msg_TX) {
    const auto indice = Fila_TX_.Armazenar(std::string(Msg_TX));
    if (!indice) {
        // Writing on would make the 50 waiting requests look like an empty ring.
        Registrar_Aviso(cp1252("Status: Fila de transmissão cheia, mensagem descartada!"));
        return;
    }
    Registrar(Linha_Fila("TX", *indice, Msg_TX));
}

void Enlace::Armazena_Mensagem_RX(std::string Buffer_RX) {
    const auto indice = Fila_RX_.Armazenar(Buffer_RX);
    if (!indice) {
        Registrar_Aviso(cp1252("Status: Fila de recepção cheia, mensagem descartada!"));
        return;
    }
    Registrar(Linha_Fila("RX", *indice, Buffer_RX));
}

void Enlace::Apanha_Mensagem_RX() {
    motor_.Msg_RX = Fila_RX_.Apanhar();
}

void Enlace::Apanha_Mensagem_TX() {
    motor_.Msg_TX_Enviada = Fila_TX_.Apanhar();
}

}  // namespace qx7
