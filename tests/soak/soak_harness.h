#pragma once
// A long run of the program's link and gauge logic against the simulator engine, in memory and
// in simulated time. The gauge's faults are switched on and off by giving each phase a fresh
// engine with its own fault settings; the program's side adds random noise bytes and split
// deliveries. Every Timer3 tick is checked as it runs, against a shadow of the receive
// assembly fed with exactly the bytes the port received:
//   - a unit taken while the link was idle that is a frame with a good check character is
//     decoded once (that very frame) and acknowledged once in that tick, and nothing else is;
//   - a frame with a bad check character taken while idle gets one NAK and no decode;
//   - a request goes out at most four times (first transmission and three repetitions), and
//     each repetition is the same frame;
//   - an idle link with a request waiting sends it in that tick.
// The log is counted, not kept, and the doubles' records are emptied every step, so what the
// run holds in memory is the program's own state.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/receive_assembly.h"
#include "tests/support/steps.h"
#include "tests/tools/program_harness.h"

namespace qx7::soak {

using simulador::Config_Simulador;
using simulador::Falhas;
using simulador::Simulador;

// Counts the log's lines without storing them.
class Registro_Contador : public Registro {
  public:
    void Adicionar(std::string linha) override {
        ++linhas;
        if (linha == "Status: NACK - Estouro de Retries (3)!") {
            ++estouros_retries;
        }
        if (linha.starts_with("Status: Mensagem recebida descartada")) {
            ++descartadas;
        }
    }
    long linhas = 0;
    long estouros_retries = 0;
    long descartadas = 0;  // units dropped at the size cap
};

// The simulator's output waits here until the program's side delivers it.
class Linha_Pendente : public simulador::Linha {
  public:
    void Escrever(std::string_view bytes) override { pendente += bytes; }
    std::string pendente;
};

// How the program's side disturbs what the gauge sent.
struct Perturbacao {
    int ruido_por_mil = 0;  // chance per delivered byte of a random byte before it
    bool fatiar = false;    // deliver a random part of what is pending each step
    bool um_a_um = false;   // one serial event per byte
};

struct Contagem {
    long passos = 0;
    long pedidos = 0;               // requests sent for the first time
    long repeticoes = 0;            // further transmissions of a request
    long pedidos_com_4_envios = 0;  // requests that reached the limit
    int maximo_envios = 0;
    long quadros_bons_ociosos = 0;  // good frames taken while idle
    long quadros_ruins_ociosos = 0;
    long quadros_descartados = 0;  // frames taken while awaiting an ACK
    long decodificados = 0;        // Processar_Mensagem_Recebida calls
    long acks = 0;                 // ACK characters the program wrote
    long naks = 0;
    long unidades_recusadas = 0;  // units the full receive queue refused
    long bytes_ruido = 0;
    long violacoes = 0;
    std::string primeira_violacao;
};

class Bancada_Soak {
  public:
    explicit Bancada_Soak(std::uint32_t semente) : sorteio_(semente) {
        enlace.Processar_Mensagem_Recebida = [this](const std::string& Msg_RX) {
            ++contagem.decodificados;
            decodificados_no_tick_.push_back(Msg_RX);
            medidor.Processar_Mensagem_Recebida(Msg_RX);
        };
        porta.CommPort(1);  // open, as the panel leaves it after its opening
        porta.PortOpen(true);
        medidor.Inicializar_Variaveis();
        telas.data = "061226";
        Trocar_Simulador({});
    }

    // A fresh gauge engine with these faults; whatever the old one had on the line is lost,
    // as when a gauge restarts.
    void Trocar_Simulador(const Falhas& falhas) {
        Config_Simulador config = simulador::teste::Config_Teste();
        config.falhas = falhas;
        simulador.reset();
        simulador.emplace(std::move(config), linha, relogio);
    }

    int Sortear(int n) { return static_cast<int>(sorteio_() % static_cast<std::uint32_t>(n)); }

    // One Timer3 step of 25 ms, checked.
    void Passo() {
        relogio.Avancar(std::chrono::milliseconds(25));
        simulador->Avancar();
        Entregar_Ao_Programa();
        if (++contagem.passos % 40 == 0) {
            enlace.Timer2_Tick();
        }
        Tick_Verificado();
        Entregar_Ao_Simulador();
        Podar_Registros();
    }

    // Nothing in flight: the link idle with empty queues, the gauge with nothing due, nothing
    // waiting for delivery.
    bool Quieto() const {
        return enlace.Estado_Protocolo() == Enlace::Estado_Ocioso && enlace.Fila_TX().Vazia() &&
               enlace.Fila_RX().Vazia() && !simulador->Proximo_Prazo() && linha.pendente.empty();
    }

    template <typename Condicao>
    bool Rodar_Ate(Condicao condicao, std::chrono::milliseconds limite) {
        return qx7::teste::Passos_Ate(condicao, limite, [this] { Passo(); });
    }

    // The decoded frames of the last step.
    const std::vector<std::string>& Decodificados_No_Passo() const {
        return decodificados_no_tick_;
    }

    simulador::teste::Relogio_Falso relogio;
    teste::Porta_Falsa porta;
    teste::Plataforma_Falsa plataforma;
    Registro_Contador registro;
    teste::Painel_Falso painel;
    Variaveis_Programa variaveis;
    simulador::teste::Telas_Falsas telas{variaveis};
    Enlace enlace{porta, plataforma, registro, painel};
    Medidor medidor{variaveis, painel, telas, enlace, plataforma};
    Linha_Pendente linha;
    std::optional<Simulador> simulador;
    Perturbacao perturbacao;
    Contagem contagem;

  private:
    void Violacao(const std::string& texto) {
        if (contagem.violacoes++ == 0) {
            contagem.primeira_violacao = "passo " + std::to_string(contagem.passos) + ": " + texto;
        }
    }

    // What the gauge sent so far, or part of it, with noise, into the port.
    void Entregar_Ao_Programa() {
        if (linha.pendente.empty()) {
            return;
        }
        std::size_t n = linha.pendente.size();
        if (perturbacao.fatiar) {
            n = 1 + static_cast<std::size_t>(Sortear(static_cast<int>(n)));
        }
        std::string bytes;
        for (std::size_t i = 0; i < n; ++i) {
            if (Sortear(1000) < perturbacao.ruido_por_mil) {
                bytes += static_cast<char>(Sortear(256));
                ++contagem.bytes_ruido;
            }
            bytes += linha.pendente[i];
        }
        linha.pendente.erase(0, n);

        const int grava_antes = enlace.Fila_RX().Indice_Grava();
        std::vector<std::string> unidades;
        for (const char c : bytes) {
            Passo_RX passo = Montar(sombra_, std::string_view(&c, 1));
            if (passo.unidade) {
                unidades.push_back(std::move(*passo.unidade));
            }
        }
        if (perturbacao.um_a_um) {
            porta.Receber_Um_A_Um(bytes);
        } else {
            porta.Receber(bytes);
        }
        // Nothing is taken from the queue while bytes arrive, so the units it refused are the
        // last ones of this delivery.
        const auto aceitas = static_cast<std::size_t>(
            (enlace.Fila_RX().Indice_Grava() - grava_antes + Fila_Mensagens::Slots) %
            Fila_Mensagens::Slots);
        if (aceitas > unidades.size()) {
            Violacao("a fila de recepção recebeu unidades que a linha não trouxe");
            return;
        }
        contagem.unidades_recusadas += static_cast<long>(unidades.size() - aceitas);
        unidades.resize(aceitas);
        for (auto& unidade : unidades) {
            fila_sombra_.push_back(std::move(unidade));
        }
    }

    void Tick_Verificado() {
        const bool ocioso = enlace.Estado_Protocolo() == Enlace::Estado_Ocioso;
        const int le_antes = enlace.Fila_RX().Indice_Le();
        const bool pedido_na_fila = !enlace.Fila_TX().Vazia();
        const std::size_t escritas_antes = porta.escritas.size();
        decodificados_no_tick_.clear();

        enlace.Timer3_Tick();

        std::optional<std::string> unidade;
        if (enlace.Fila_RX().Indice_Le() != le_antes) {
            if (fila_sombra_.empty()) {
                Violacao("o motor tirou da fila uma unidade que não chegou");
                return;
            }
            unidade = std::move(fila_sombra_.front());
            fila_sombra_.pop_front();
        }
        const bool quadro = unidade && unidade->size() > 1;
        const bool bom = quadro && ocioso && BCC_Correto(*unidade);
        const bool ruim = quadro && ocioso && !BCC_Correto(*unidade);
        contagem.quadros_bons_ociosos += bom;
        contagem.quadros_ruins_ociosos += ruim;
        contagem.quadros_descartados += quadro && !ocioso;

        std::vector<std::string> quadros;
        int acks = 0;
        int naks = 0;
        for (std::size_t i = escritas_antes; i < porta.escritas.size(); ++i) {
            const std::string& bytes = porta.escritas[i].bytes;
            if (bytes == std::string(1, ACK)) {
                ++acks;
            } else if (bytes == std::string(1, NAK)) {
                ++naks;
            } else {
                quadros.push_back(bytes);
            }
        }
        contagem.acks += acks;
        contagem.naks += naks;

        const std::vector<std::string> esperado =
            bom ? std::vector<std::string>{*unidade} : std::vector<std::string>{};
        if (decodificados_no_tick_ != esperado) {
            Violacao("decodificados " + std::to_string(decodificados_no_tick_.size()) +
                     ", esperado " + std::to_string(esperado.size()));
        }
        if (acks != (bom ? 1 : 0) || naks != (ruim ? 1 : 0)) {
            Violacao("ACKs " + std::to_string(acks) + ", NAKs " + std::to_string(naks) +
                     " para um quadro " +
                     (bom    ? "bom"
                      : ruim ? "ruim"
                             : "ausente"));
        }
        Conferir_Pedidos(ocioso, ocioso && !unidade && pedido_na_fila, quadros);
    }

    void Conferir_Pedidos(bool ocioso, bool deve_enviar, const std::vector<std::string>& quadros) {
        if (quadros.size() > 1) {
            Violacao("mais de um quadro num tick");
            return;
        }
        if (deve_enviar != (ocioso && quadros.size() == 1)) {
            Violacao(deve_enviar ? "pedido na fila e enlace ocioso, nada enviado"
                                 : "pedido enviado sem pedido na fila");
            return;
        }
        if (quadros.empty()) {
            return;
        }
        if (ocioso) {
            pedido_atual_ = quadros[0];
            envios_ = 1;
            ++contagem.pedidos;
            return;
        }
        if (quadros[0] != pedido_atual_) {
            Violacao("repetição diferente do pedido");
        }
        ++contagem.repeticoes;
        if (++envios_ > 4) {
            Violacao("pedido enviado " + std::to_string(envios_) + " vezes");
        }
        contagem.pedidos_com_4_envios += envios_ == 4;
        contagem.maximo_envios = std::max(contagem.maximo_envios, envios_);
    }

    void Entregar_Ao_Simulador() {
        std::string saida;
        for (const auto& escrita : porta.escritas) {
            saida += escrita.bytes;
        }
        if (!saida.empty()) {
            simulador->Receber(saida);
        }
    }

    // The doubles record every call; a soak keeps none of it past the step that checked it.
    void Podar_Registros() {
        porta.escritas.clear();
        porta.operacoes.clear();
        porta.historico_rts.clear();
        porta.historico_dtr.clear();
        plataforma.pausas.clear();
        painel.sinais.clear();
        telas.avisos.clear();
    }

    std::mt19937 sorteio_;
    Montagem_RX sombra_;
    std::deque<std::string> fila_sombra_;
    std::vector<std::string> decodificados_no_tick_;
    std::string pedido_atual_;
    int envios_ = 0;
};

}  // namespace qx7::soak
