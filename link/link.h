#pragma once
// The serial link of the main panel: the receive assembly fed by the port's events, the two
// queues, the framing and transmission, the stop-and-wait engine and the status indicators.
// Everything runs on one thread; the only waits yield through Plataforma.

#include <functional>
#include <string>
#include <string_view>

#include "link/line_state.h"
#include "link/link_statistics.h"
#include "link/log_sink.h"
#include "link/message_queue.h"
#include "link/panel.h"
#include "link/platform.h"
#include "link/receive_assembly.h"
#include "link/serial_port.h"
#include "link/transmitter.h"

namespace qx7 {

class Enlace : public Transmissor {
  public:
    // Gives the link variables their initial values and installs OnComm() as the port's
    // event handler; the port itself is opened and configured by the caller.
    Enlace(PortaSerial& porta, Plataforma& plataforma, Registro& registro, Painel& painel);
    ~Enlace() override;  // detaches OnComm() from the port, which may outlive the link
    Enlace(const Enlace&) = delete;
    Enlace& operator=(const Enlace&) = delete;

    static constexpr int Estado_Ocioso = 1;          // a request may be sent
    static constexpr int Estado_Aguardando_ACK = 2;  // a request went out, its answer awaited
    // Reception time-outs in a row, with not one byte received, after which the line is taken
    // for dead though the adapter is still there.
    static constexpr int Timeouts_Linha_Muda = 3;

    // Called for every good frame received while idle, before its ACK is sent.
    std::function<void(const std::string& Msg_RX)> Processar_Mensagem_Recebida;
    // Called when Situacao() changes.
    std::function<void(Situacao_Linha)> Linha_Mudou;
    // Called once per run of Timeouts_Linha_Muda silent time-outs; a byte received ends the run.
    std::function<void()> Linha_Muda;

    void Armazena_Mensagem_TX(std::string_view Msg_TX) override;
    void Definir_Estado_Protocolo(int estado) override;
    int Estado_Protocolo() const;

    // The port's device went away, or it came back: the exchange in progress is given up (once)
    // and, on reopening, the assembly starts afresh; queued requests wait for the port.
    void Porta_Perdida();
    void Porta_Reaberta();
    // Looks at the port and its DSR line again; Linha_Mudou tells a change.
    void Verificar_Linha();
    Situacao_Linha Situacao() const { return situacao_; }

    void OnComm();       // the port's event: receive assembly, line events
    void Timer1_Tick();  // every second: date, hour, running light, DSR watch
    void Timer2_Tick();  // every second: the time-out count-down
    void Timer3_Tick();  // every 25 ms: the protocol engine

    // Read-only views for diagnostics and tests.
    const Fila_Mensagens& Fila_RX() const { return Fila_RX_; }
    const Fila_Mensagens& Fila_TX() const { return Fila_TX_; }
    const Estatisticas_Enlace& Estatisticas() const { return estatisticas_; }

  private:
    static constexpr int Segundos_Timeout = 5;  // acknowledgement and transmit-wait limit
    static constexpr int Maximo_Retries = 3;    // repetitions after the first transmission

    // What DSR has shown since the port opened: a line on which it was never active has no DSR
    // wired (3-wire RS-232, most RS-485 adapters), and its absence then means nothing.
    struct Vigia_DSR {
        bool visto_ativo = false;
        bool sem_dsr_avisado = false;  // once per program run
    };

    // Reception time-outs since the last byte received.
    struct Silencio {
        int timeouts = 0;
        bool avisado = false;
    };

    // The engine's fields: the state of the one tick that runs at a time.
    struct Motor {
        int Estado_Protocolo = Estado_Ocioso;
        std::string Msg_RX;
        std::string Msg_TX_Enviada;
        int Contador_Retries = 0;
        int Contador_Timeout = 0;
    };

    void Armazena_Mensagem_RX(std::string Buffer_RX);
    void Apanha_Mensagem_RX();
    void Apanha_Mensagem_TX();
    bool Transmite_Pedido();  // the request awaiting its answer; false: the port closed first
    void Abandonar_Pedido(std::string linha);  // the exchange cannot finish: counted unanswered
    bool Transmite_Mensagem(const std::string& texto);  // false: the port was closed, nothing sent
    void Aguardar_Transmissao();

    void Receber_Caracteres();
    void Mudou_CTS();

    void Parte_Ociosa();
    void Enviar_Pedido();
    void Tratar_Quadro();
    void Parte_Resposta();
    void Parte_Timeout();
    void Contar_Silencio();

    Situacao_Linha Avaliar_Linha();

    void Registrar(std::string linha);
    void Registrar_Aviso(std::string linha);

    PortaSerial& porta_;
    Plataforma& plataforma_;
    Registro& registro_;
    Painel& painel_;

    Fila_Mensagens Fila_RX_;
    Fila_Mensagens Fila_TX_;
    Montagem_RX montagem_;
    Motor motor_;
    Estatisticas_Enlace estatisticas_{};
    Vigia_DSR dsr_;
    Silencio silencio_;
    Situacao_Linha situacao_ = Situacao_Linha::Pronta;
    int Indice_Sinal_ = 0;
    bool tick_em_curso_ = false;  // a Timer3 tick is running, possibly suspended in a yield
};

}  // namespace qx7
