// The stop-and-wait engine: one receive unit or one request per Timer3 tick, the
// acknowledgement time-out counted by Timer2.
#include <string>

#include "link/codepage.h"
#include "link/frame.h"
#include "link/link.h"

namespace qx7 {

namespace {

bool E_Caracter(const std::string& unidade, char c) {
    return unidade.size() == 1 && unidade[0] == c;
}

// Marks a tick as running for as long as it lasts, yields and modal screens included.
class Tick_Em_Curso {
  public:
    explicit Tick_Em_Curso(bool& marca) : marca_(marca) { marca_ = true; }
    ~Tick_Em_Curso() { marca_ = false; }
    Tick_Em_Curso(const Tick_Em_Curso&) = delete;
    Tick_Em_Curso& operator=(const Tick_Em_Curso&) = delete;

  private:
    bool& marca_;
};

}  // namespace

// A tick that falls due while another is suspended (transmit wait, a modal screen opened by
// the decoder) is skipped: the engine's fields hold the state of one tick only.
void Enlace::Timer3_Tick() {
    if (tick_em_curso_) {
        return;
    }
    const Tick_Em_Curso marca(tick_em_curso_);
    Apanha_Mensagem_RX();
    if (motor_.Estado_Protocolo == Estado_Ocioso) {
        Parte_Ociosa();
    }
    if (motor_.Estado_Protocolo == Estado_Aguardando_ACK) {
        if (!motor_.Msg_RX.empty()) {
            Parte_Resposta();
        } else {
            Parte_Timeout();
        }
    }
}

void Enlace::Timer2_Tick() {
    if (motor_.Contador_Timeout != 0) {
        --motor_.Contador_Timeout;
    }
}

void Enlace::Parte_Ociosa() {
    if (motor_.Msg_RX.empty()) {
        Enviar_Pedido();
    } else if (motor_.Msg_RX.size() > 1) {
        Tratar_Quadro();
    } else {
        Registrar_Aviso("Status: Erro de Sequencia do Protocolo!");
    }
}

// Requests wait in the queue while the port is closed, and go out in order once it is back.
void Enlace::Enviar_Pedido() {
    if (!porta_.PortOpen()) {
        return;
    }
    Apanha_Mensagem_TX();
    if (motor_.Msg_TX_Enviada.empty()) {
        return;
    }
    motor_.Estado_Protocolo = Estado_Aguardando_ACK;
    motor_.Contador_Retries = 1;
    if (Transmite_Pedido()) {
        motor_.Contador_Timeout = Segundos_Timeout;
    }
}

// The decoder runs before the ACK, so a good frame is acknowledged only once it is handled.
void Enlace::Tratar_Quadro() {
    if (BCC_Correto(motor_.Msg_RX)) {
        if (Processar_Mensagem_Recebida) {
            Processar_Mensagem_Recebida(motor_.Msg_RX);
        }
        if (Transmite_Mensagem(std::string(1, ACK))) {
            ++estatisticas_.ACKs_Enviados;
            Registrar("Status: Transmitiu ACK!");
        }
        return;
    }
    ++estatisticas_.Erros_BCC;
    if (Transmite_Mensagem(std::string(1, NAK))) {
        ++estatisticas_.NAKs_Enviados;
        Registrar_Aviso("Status: Transmitiu NACK!");
    }
}

// A frame that arrives while an acknowledgement is awaited is dropped without a line.
void Enlace::Parte_Resposta() {
    if (E_Caracter(motor_.Msg_RX, ACK)) {
        ++estatisticas_.ACKs_Recebidos;
        Registrar("Status: Recebeu ACK!");
        Registrar(cp1252("Status: Transmissão OK!"));
        motor_.Estado_Protocolo = Estado_Ocioso;
    } else if (E_Caracter(motor_.Msg_RX, NAK)) {
        ++estatisticas_.NAKs_Recebidos;
        if (motor_.Contador_Retries > Maximo_Retries) {
            ++estatisticas_.Repeticoes_Esgotadas;
            Registrar_Aviso("Status: NACK - Estouro de Retries (3)!");
            motor_.Estado_Protocolo = Estado_Ocioso;
            return;
        }
        ++estatisticas_.Repeticoes;
        Registrar_Aviso(cp1252("Status: NACK - Erro de Transmissão!"));
        if (Transmite_Pedido()) {
            ++motor_.Contador_Retries;
            motor_.Contador_Timeout = Segundos_Timeout;
        }
    }
}

// A port that closed while the answer was awaited ends the exchange at once: no time-out
// follows for a request that can no longer be answered.
void Enlace::Parte_Timeout() {
    if (!porta_.PortOpen()) {
        Abandonar_Pedido(cp1252("Status: Pedido abandonado, porta serial fechada!"));
        return;
    }
    if (motor_.Contador_Timeout == 0) {
        ++estatisticas_.Timeouts_Recepcao;
        Registrar_Aviso(cp1252("Status: Time-Out de Recepção!"));
        motor_.Estado_Protocolo = Estado_Ocioso;
        Contar_Silencio();
    }
}

void Enlace::Contar_Silencio() {
    if (++silencio_.timeouts < Timeouts_Linha_Muda || silencio_.avisado) {
        return;
    }
    silencio_.avisado = true;
    if (Linha_Muda) {
        Linha_Muda();
    }
}

}  // namespace qx7
