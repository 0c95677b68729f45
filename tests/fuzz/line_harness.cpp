#include "tests/fuzz/line_harness.h"

#include <string>
#include <string_view>

#include "gauge/medidor.h"
#include "link/link.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/fakes.h"

namespace qx7::teste {

namespace {

// Screens that close at once: the decoders open them from inside the tick.
class Telas_Instantaneas : public Telas {
  public:
    explicit Telas_Instantaneas(Variaveis_Programa& variaveis) : variaveis_(variaveis) {}
    void Abrir_Senha() override { variaveis_.Senha_Usuario = "qx7"; }
    bool Abrir_Data() override {
        variaveis_.Data_Solicitada = "050318";
        return true;
    }
    void Abrir_Resultados() override { ++aberturas; }
    void Abrir_Inventario() override { ++aberturas; }
    void Aviso(std::string_view, std::string_view) override { ++aberturas; }
    int aberturas = 0;

  private:
    Variaveis_Programa& variaveis_;
};

struct Bancada {
    Variaveis_Programa variaveis;
    Painel_Falso painel;
    Plataforma_Falsa plataforma;
    Registro_Falso registro;
    Porta_Falsa porta;
    Telas_Instantaneas telas{variaveis};
    Enlace enlace{porta, plataforma, registro, painel};
    Medidor medidor{variaveis, painel, telas, enlace, plataforma};
    int ticks = 0;

    Bancada() {
        enlace.Processar_Mensagem_Recebida = [this](const std::string& quadro) {
            medidor.Processar_Mensagem_Recebida(quadro);
        };
    }

    // One Timer3 tick; the one-second timers every 40 of them, as their intervals have it.
    void Tick() {
        enlace.Timer3_Tick();
        if (++ticks % 40 == 0) {
            enlace.Timer2_Tick();
            enlace.Timer1_Tick();
        }
    }

    // Empty while every invariant holds; else the first one broken.
    std::string Verificar() const {
        if (enlace.Fila_RX().Aguardando() > Fila_Mensagens::Capacidade ||
            enlace.Fila_TX().Aguardando() > Fila_Mensagens::Capacidade) {
            return "uma fila passou da capacidade";
        }
        const int estado = enlace.Estado_Protocolo();
        if (estado != Enlace::Estado_Ocioso && estado != Enlace::Estado_Aguardando_ACK) {
            return "estado do protocolo desconhecido: " + std::to_string(estado);
        }
        if (variaveis.Num_Medicoes < 0) {
            return "número de medições negativo";
        }
        return {};
    }
};

// Set-up byte: bit 0 a connection cycle first, bit 1 an inventory request, bit 2 a programmed
// measurement request, bit 3 a comma as the decimal separator, bits 4..7 how many line bytes
// arrive between two ticks (1..16), bit 7 also delivering them one per serial event.
void Preparar(Bancada& bancada, std::uint8_t configuracao) {
    bancada.plataforma.separador = (configuracao & 0x08) ? ',' : '.';
    bancada.medidor.Fechar_Conexao_Click();
    if (configuracao & 0x01) {
        bancada.medidor.Abrir_Conexao_Click();
    }
    if (configuracao & 0x02) {
        bancada.medidor.IV_Cmd_Click();
    }
    if (configuracao & 0x04) {
        bancada.medidor.Medicao_Programada_Click();
    }
}

}  // namespace

std::string Exercitar_Linha(const std::uint8_t* dados, std::size_t tamanho) {
    if (tamanho == 0) {
        return {};
    }
    Bancada bancada;
    if (!bancada.porta.CommPort(1) || !bancada.porta.PortOpen(true)) {
        return "a porta de teste não abriu";
    }
    const std::uint8_t configuracao = dados[0];
    Preparar(bancada, configuracao);
    const std::size_t rajada = 1 + ((configuracao >> 4) & 0x0F);
    const bool um_a_um = (configuracao & 0x80) != 0;

    const std::string_view linha(reinterpret_cast<const char*>(dados + 1), tamanho - 1);
    for (std::size_t i = 0; i < linha.size(); i += rajada) {
        const auto pedaco = linha.substr(i, rajada);
        if (um_a_um) {
            bancada.porta.Receber_Um_A_Um(pedaco);
        } else {
            bancada.porta.Receber(pedaco);
        }
        bancada.Tick();
        if (std::string quebra = bancada.Verificar(); !quebra.empty()) {
            return quebra;
        }
    }
    // Long enough for every wait to end and both queues to drain.
    for (int i = 0; i < 51 * 2 + 40 * 6; ++i) {
        bancada.Tick();
    }
    if (std::string quebra = bancada.Verificar(); !quebra.empty()) {
        return quebra;
    }
    return bancada.enlace.Fila_RX().Vazia() ? std::string() : "a fila de recepção não esvaziou";
}

}  // namespace qx7::teste
