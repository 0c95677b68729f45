// The link while its port is closed (the device went away or is not there yet): requests wait
// in the queue and go out in order once the port is back; the exchange in flight when the port
// died is given up once, counted as unanswered, and nothing is reported as sent or timed out.
#include <string>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

using Porta_Fechada = Bancada;

const std::string Nao_Transmitida =
    cp1252("Status: Mensagem não transmitida, porta serial fechada!");
const std::string Abandonado_Fechada = cp1252("Status: Pedido abandonado, porta serial fechada!");

TEST_F(Porta_Fechada, PedidosEsperamAPortaESaemEmOrdemQuandoElaVolta) {
    porta.PortOpen(false);
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Armazena_Mensagem_TX("MA");
    const auto antes = Marca();
    Ticks(3);
    Segundos(6);
    Ticks(3);
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{});
    EXPECT_EQ(Escritas(), 0U);
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);

    porta.PortOpen(true);
    enlace.Porta_Reaberta();
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("LR"));
    porta.Receber(Um_ACK);
    Ticks(2);
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("MA"));
}

// The loss and the reopening that follows tell of the abandoned exchange once; no time-out
// follows for it.
TEST_F(Porta_Fechada, PedidoEmEsperaAbandonadoUmaVez) {
    Pedido_Enviado("LR");
    porta.PortOpen(false);
    const auto antes = Marca();
    enlace.Porta_Perdida();
    Segundos(6);
    Ticks(3);
    porta.PortOpen(true);
    enlace.Porta_Reaberta();
    Ticks(3);
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{Abandonado_Fechada});
    EXPECT_EQ(enlace.Estatisticas().Timeouts_Recepcao, 1U);
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
}

TEST_F(Porta_Fechada, PortaQueSomeDuranteAEsperaNaoERegistradaComoEnviada) {
    porta.reter_saida = true;
    plataforma.ao_processar = [&] { porta.PortOpen(false); };
    enlace.Armazena_Mensagem_TX("LR");
    const auto antes = Marca();
    enlace.Timer3_Tick();
    Segundos(6);
    Ticks(2);
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{Nao_Transmitida});
    EXPECT_EQ(enlace.Estatisticas().Timeouts_Recepcao, 1U);
    EXPECT_EQ(enlace.Estatisticas().Quadros_Enviados, 0U);
}

TEST_F(Porta_Fechada, QuadroRecebidoAntesDeFecharNaoDizQueTransmitiuACK) {
    porta.Receber(Monta_Quadro("LR"));
    porta.PortOpen(false);
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{Nao_Transmitida});
    EXPECT_EQ(decodificados.size(), 1U);
}

// A line that stays silent while requests go out is reported once per silent run.
TEST_F(Porta_Fechada, LinhaMudaAvisadaUmaVezPorSilencio) {
    int avisos = 0;
    enlace.Linha_Muda = [&] { ++avisos; };
    const auto sem_resposta = [&](int vezes) {
        for (int i = 0; i < vezes; ++i) {
            Pedido_Enviado("LR");
            Segundos(5);
            enlace.Timer3_Tick();
        }
    };
    sem_resposta(Enlace::Timeouts_Linha_Muda - 1);
    EXPECT_EQ(avisos, 0);
    sem_resposta(1);
    EXPECT_EQ(avisos, 1);
    sem_resposta(Enlace::Timeouts_Linha_Muda);
    EXPECT_EQ(avisos, 1);

    porta.Receber(Monta_Quadro("LR"));  // anything received ends the run
    Ticks(1);
    sem_resposta(Enlace::Timeouts_Linha_Muda);
    EXPECT_EQ(avisos, 2);
}

}  // namespace
}  // namespace qx7::teste
