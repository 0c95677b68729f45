// The link's counters: each scripted exchange leaves exactly its own events counted.
#include <string>
#include <vector>

#include "link/link_statistics.h"
#include "link_bench.h"

namespace qx7::teste {
namespace {

// One step of an exchange, each followed by the engine's tick that handles it.
enum class Passo {
    Pedido,             // a request queued and sent
    Pedido_Sem_Drenar,  // a request whose bytes never leave the transmit buffer
    Recebe_ACK,
    Recebe_NAK,
    Recebe_Quadro_Bom,    // the gauge sends a frame while the link is idle
    Recebe_Quadro_BCC,    // the same with a wrong check character
    Recebe_Longa_Demais,  // STX and more than the size cap without ETX
    Cinco_Segundos,       // Timer2 runs out the answer time-out
    Reabre_Porta,
    Fecha_Porta,
    Porta_Volta,  // the device comes back and the port is opened again
};

struct Caso {
    const char* nome;
    std::vector<Passo> passos;
    Estatisticas_Enlace esperado;
};

std::string Quadro_BCC_Errado() {
    std::string quadro = Monta_Quadro("LR1207122026");
    quadro.back() ^= 0x01;
    return quadro;
}

class Estatisticas : public Bancada, public ::testing::WithParamInterface<Caso> {
  protected:
    void Executar(Passo passo) {
        switch (passo) {
            case Passo::Pedido:
                enlace.Armazena_Mensagem_TX("LR");
                break;
            case Passo::Pedido_Sem_Drenar:
                Pedido_Sem_Drenar();
                return;
            case Passo::Recebe_ACK:
                porta.Receber(Um_ACK);
                break;
            case Passo::Recebe_NAK:
                porta.Receber(Um_NAK);
                break;
            case Passo::Recebe_Quadro_Bom:
                porta.Receber(Monta_Quadro("LR1207122026"));
                break;
            case Passo::Recebe_Quadro_BCC:
                porta.Receber(Quadro_BCC_Errado());
                break;
            case Passo::Recebe_Longa_Demais:
                porta.Receber("\x02" + std::string(Tamanho_Maximo_Unidade, 'a'));
                break;
            case Passo::Cinco_Segundos:
                Segundos(5);
                break;
            case Passo::Reabre_Porta:
                enlace.Porta_Reaberta();
                break;
            case Passo::Fecha_Porta:
                porta.PortOpen(false);
                break;
            case Passo::Porta_Volta:
                porta.PortOpen(true);
                enlace.Porta_Reaberta();
                break;
        }
        enlace.Timer3_Tick();
    }

    // Timer2 runs during the transmit wait until the wait gives up.
    void Pedido_Sem_Drenar() {
        porta.reter_saida = true;
        plataforma.ao_processar = [this] { enlace.Timer2_Tick(); };
        enlace.Armazena_Mensagem_TX("LR");
        enlace.Timer3_Tick();
        plataforma.ao_processar = nullptr;
        porta.reter_saida = false;
        porta.Esvaziar_Saida();
    }
};

TEST_P(Estatisticas, CadaEventoContadoUmaVezNoSeuLugar) {
    for (const Passo passo : GetParam().passos) {
        Executar(passo);
    }
    Ticks(10);
    const Estatisticas_Enlace obtido = enlace.Estatisticas();
    for (const Campo_Estatistica& campo : Campos_Estatisticas) {
        EXPECT_EQ(obtido.*campo.Membro, GetParam().esperado.*campo.Membro) << campo.Nome;
    }
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    Filas_Vazias();
}

using P = Passo;
const std::vector<Caso> Casos = {
    {"NadaAconteceu", {}, {}},
    {"RespostaBoa", {P::Pedido, P::Recebe_ACK}, {.Quadros_Enviados = 1, .ACKs_Recebidos = 1}},
    {"NAKDepoisBoa",
     {P::Pedido, P::Recebe_NAK, P::Recebe_ACK},
     {.Quadros_Enviados = 2, .ACKs_Recebidos = 1, .NAKs_Recebidos = 1, .Repeticoes = 1}},
    {"QuatroNAKsEsgotam",
     {P::Pedido, P::Recebe_NAK, P::Recebe_NAK, P::Recebe_NAK, P::Recebe_NAK},
     {.Quadros_Enviados = 4, .NAKs_Recebidos = 4, .Repeticoes = 3, .Repeticoes_Esgotadas = 1}},
    {"SemResposta",
     {P::Pedido, P::Cinco_Segundos},
     {.Quadros_Enviados = 1, .Timeouts_Recepcao = 1}},
    {"NAKDepoisSilencio",
     {P::Pedido, P::Recebe_NAK, P::Cinco_Segundos},
     {.Quadros_Enviados = 2, .NAKs_Recebidos = 1, .Repeticoes = 1, .Timeouts_Recepcao = 1}},
    {"QuadroBomRecebido", {P::Recebe_Quadro_Bom}, {.ACKs_Enviados = 1}},
    {"QuadroComBCCErrado", {P::Recebe_Quadro_BCC}, {.NAKs_Enviados = 1, .Erros_BCC = 1}},
    {"BCCErradoPortaFechada", {P::Fecha_Porta, P::Recebe_Quadro_BCC}, {.Erros_BCC = 1}},
    {"UnidadeLongaDemais", {P::Recebe_Longa_Demais}, {.Descartes_Tamanho = 1}},
    {"PortaReabertaNoMeioDaEspera",
     {P::Pedido, P::Reabre_Porta, P::Reabre_Porta},
     {.Quadros_Enviados = 1, .Timeouts_Recepcao = 1, .Reaberturas_Porta = 2}},
    {"PortaFechadaNoMeioDaEsperaEReaberta",
     {P::Pedido, P::Fecha_Porta, P::Porta_Volta},
     {.Quadros_Enviados = 1, .Timeouts_Recepcao = 1, .Reaberturas_Porta = 1}},
    {"PortaNaoDrenou",
     {P::Pedido_Sem_Drenar, P::Cinco_Segundos},
     {.Quadros_Enviados = 1, .Timeouts_Recepcao = 1, .Timeouts_Transmissao = 1}},
    {"PedidoComPortaFechadaEsperaAPorta",
     {P::Fecha_Porta, P::Pedido, P::Cinco_Segundos, P::Porta_Volta, P::Recebe_ACK},
     {.Quadros_Enviados = 1, .ACKs_Recebidos = 1, .Reaberturas_Porta = 1}},
    {"VariasTrocasSomam",
     {P::Pedido, P::Recebe_ACK, P::Recebe_Quadro_Bom, P::Pedido, P::Recebe_NAK, P::Recebe_ACK,
      P::Recebe_Quadro_BCC},
     {.Quadros_Enviados = 3,
      .ACKs_Recebidos = 2,
      .NAKs_Recebidos = 1,
      .ACKs_Enviados = 1,
      .NAKs_Enviados = 1,
      .Repeticoes = 1,
      .Erros_BCC = 1}},
};

INSTANTIATE_TEST_SUITE_P(Trocas, Estatisticas, ::testing::ValuesIn(Casos),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7::teste
