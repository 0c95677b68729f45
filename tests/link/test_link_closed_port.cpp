// The link while its port is closed (the device went away) and once it is back: nothing is
// reported as sent, the request counts as unanswered, queued requests wait for the port.
#include <string>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

using Porta_Fechada = Bancada;

const std::string Nao_Transmitida =
    cp1252("Status: Mensagem não transmitida, porta serial fechada!");

TEST_F(Porta_Fechada, PedidoNaoSaiFicaSemRespostaEOsSeguintesEsperam) {
    porta.PortOpen(false);
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Armazena_Mensagem_TX("MA");
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{Nao_Transmitida});
    EXPECT_EQ(Escritas(), 0U);
    EXPECT_TRUE(porta.historico_rts.empty());
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);

    Segundos(5);
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Time-Out de Recepção!"));
    EXPECT_FALSE(enlace.Fila_TX().Vazia());  // "MA" still waits
}

TEST_F(Porta_Fechada, PortaQueSomeDuranteAEsperaNaoERegistradaComoEnviada) {
    porta.reter_saida = true;
    plataforma.ao_processar = [&] { porta.PortOpen(false); };
    enlace.Armazena_Mensagem_TX("LR");
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{Nao_Transmitida});
}

TEST_F(Porta_Fechada, QuadroRecebidoAntesDeFecharNaoDizQueTransmitiuACK) {
    porta.Receber(Monta_Quadro("LR"));
    porta.PortOpen(false);
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{Nao_Transmitida});
    EXPECT_EQ(decodificados.size(), 1U);
}

TEST_F(Porta_Fechada, ReabertaVoltaAoOciosoRecomecaAMontagemEMantemAFila) {
    Pedido_Enviado("LR");
    porta.Receber(std::string(1, STX) + "LR09");  // half a frame, then the device went away
    porta.PortOpen(false);
    enlace.Armazena_Mensagem_TX("MA");
    porta.PortOpen(true);
    enlace.Porta_Reaberta();
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);

    porta.Receber("0530" + Monta_Quadro("LR"));  // the old frame's rest is noise now
    enlace.Timer3_Tick();
    EXPECT_EQ(decodificados, std::vector<std::string>{Monta_Quadro("LR")});
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("MA"));
}

struct Caso_Estado {
    const char* nome;
    bool aberta;
    bool dsr;
    const char* antes;
    const char* depois;
};

class Estado_Da_Linha : public Bancada, public ::testing::WithParamInterface<Caso_Estado> {};

TEST_P(Estado_Da_Linha, SegueAPortaEODSR) {
    const Caso_Estado& c = GetParam();
    painel.Definir_Texto(Controle::Estado, c.antes);
    porta.dsr = c.dsr;
    porta.PortOpen(c.aberta);
    enlace.Timer1_Tick();
    EXPECT_EQ(painel.Texto(Controle::Estado), c.depois);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Estado_Da_Linha,
    ::testing::Values(Caso_Estado{"fechada", false, true, "ON-LINE", "PORTA FECHADA"},
                      Caso_Estado{"fechada_com_dsr_caido", false, false, "ON-LINE",
                                  "PORTA FECHADA"},
                      Caso_Estado{"dsr_caido", true, false, "ON-LINE", "QX7 DESLIGADO"},
                      Caso_Estado{"reaberta", true, true, "PORTA FECHADA", "OFF-LINE"},
                      Caso_Estado{"dsr_voltou", true, true, "QX7 DESLIGADO", "OFF-LINE"},
                      Caso_Estado{"conectado_fica", true, true, "ON-LINE", "ON-LINE"}),
    [](const ::testing::TestParamInfo<Caso_Estado>& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7::teste
