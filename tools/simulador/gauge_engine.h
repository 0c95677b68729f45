#pragma once
// The gauge's side of the stop-and-wait link. A good request frame is acknowledged with ACK
// and its answers go out one frame at a time, each waiting for the program's ACK: NAK sends
// the frame again (up to the configured repetitions), silence past the time-out gives the
// frame up and goes on with the next. A request frame with a wrong check character gets NAK.
// The engine owns no transport and no clock: it writes through Linha and reads Relogio.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "link/receive_assembly.h"
#include "tools/simulador/gauge_config.h"
#include "tools/simulador/gauge_model.h"
#include "tools/simulador/line_io.h"
#include "tools/simulador/noise.h"
#include "tools/simulador/output_schedule.h"

namespace qx7::simulador {

class Simulador {
  public:
    Simulador(Config_Simulador config, Linha& linha, const Relogio& relogio);

    // Bytes that arrived from the program.
    void Receber(std::string_view bytes);
    // Sends what is due and handles the acknowledgement time-out; call at Proximo_Prazo().
    void Avancar();
    // When Avancar must run next; nothing while the gauge only waits for requests.
    std::optional<Instante> Proximo_Prazo() const;

    const Modelo_Medidor& Modelo() const { return modelo_; }
    // One setting ("tanque.1.medido=27000") applied while running; false, with the reason in
    // `erro`, as the settings file refuses it.
    bool Definir(std::string_view definicao, std::string& erro);
    const Falhas& Falhas_Restantes() const { return config_.falhas; }

    // One line in Portuguese for each thing the operator of the simulator may want to see.
    std::function<void(const std::string&)> ao_informar;

  private:
    // The answers of the request being served; the front one is on the line.
    struct Serie {
        std::deque<std::string> respostas;
        int envios = 0;  // transmissions of the front answer
        bool aguardando_ack = false;
        Instante prazo{};
    };

    void Tratar_Unidade(const std::string& unidade);
    void Tratar_Pedido(std::string_view pedido);
    void Tratar_Confirmacao(char c);
    void Enviar_Proxima();
    void Enviar_Resposta_Atual();
    void Abandonar_Resposta_Atual(std::string_view motivo);
    // Schedules one unit (after noise, when asked for); returns the instant of its last byte.
    Instante Enviar(std::string_view unidade);
    void Informar(const std::string& linha);

    Config_Simulador config_;
    Linha& linha_;
    const Relogio& relogio_;
    Modelo_Medidor modelo_;
    Montagem_RX montagem_;
    Agenda_Saida saida_;
    Gerador_Ruido ruido_;
    Serie serie_;
};

// The text with its control characters named, for the operator's terminal.
std::string Visivel(std::string_view texto);

}  // namespace qx7::simulador
