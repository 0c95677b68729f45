// The link while its port is closed (the device went away): nothing is reported as sent, the
// request counts as unanswered, queued requests wait for the port.
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

}  // namespace
}  // namespace qx7::teste
