// The gauge side of the stop-and-wait link, in memory with a scripted clock.

#include <gtest/gtest.h>

#include "gauge/fields.h"
#include "tests/tools/simulator_harness.h"

namespace qx7::simulador::teste {
namespace {

using namespace std::chrono_literals;

const std::string ack(1, ACK);
const std::string nak(1, NAK);

TEST(SimuladorEnlace, PedidoComBccErradoRecebeNak) {
    Bancada bancada;
    std::string quadro = Monta_Quadro("ID01");
    quadro.back() ^= 1;
    bancada.simulador.Receber(quadro);
    EXPECT_EQ(bancada.linha.Novo(), nak);
    EXPECT_FALSE(bancada.simulador.Proximo_Prazo().has_value());
}

TEST(SimuladorEnlace, PedidoEmPedacosEComRuidoAntes) {
    Bancada bancada;
    const std::string quadro = Monta_Quadro("ID01");
    bancada.simulador.Receber("\xFFzz");
    for (const char c : quadro) {
        bancada.simulador.Receber(std::string(1, c));
    }
    EXPECT_EQ(bancada.linha.Novo(), ack + Monta_Quadro("IDA0121"));
}

TEST(SimuladorEnlace, NakDoProgramaRepeteAteTresVezesEDesiste) {
    Bancada bancada;
    bancada.Pedir("MA");
    const std::string primeiro = bancada.linha.Novo().substr(1);
    for (int repeticao = 1; repeticao <= 3; ++repeticao) {
        bancada.Recusar();
        EXPECT_EQ(bancada.linha.Novo(), primeiro) << "repetição " << repeticao;
    }
    bancada.Recusar();  // the fourth NAK: this frame is given up, the series goes on
    const std::string segundo = bancada.linha.Novo();
    EXPECT_EQ(Campo(segundo, 4, 3), " 02");
}

TEST(SimuladorEnlace, NakDepoisAckSegueASerie) {
    Bancada bancada;
    bancada.Pedir("MA");
    const std::string primeiro = bancada.linha.Novo().substr(1);
    bancada.Recusar();
    EXPECT_EQ(bancada.linha.Novo(), primeiro);
    bancada.Confirmar();
    EXPECT_EQ(Campo(bancada.linha.Novo(), 4, 3), " 02");
}

TEST(SimuladorEnlace, SemAckNoPrazoPassaAoProximoQuadro) {
    Bancada bancada;
    bancada.Pedir("MA");
    bancada.linha.Novo();
    ASSERT_EQ(bancada.simulador.Proximo_Prazo(), bancada.relogio.agora + 5s);
    bancada.Passar(5s - 1us);
    EXPECT_EQ(bancada.linha.Novo(), "");
    bancada.Passar(1us);
    EXPECT_EQ(Campo(bancada.linha.Novo(), 4, 3), " 02");
}

TEST(SimuladorEnlace, UltimoQuadroSemAckEncerraASerie) {
    Bancada bancada;
    bancada.Pedir("LR");
    bancada.linha.Novo();
    bancada.Passar(5s);
    EXPECT_EQ(bancada.linha.Novo(), "");
    EXPECT_FALSE(bancada.simulador.Proximo_Prazo().has_value());
    bancada.Confirmar();  // a late ACK finds nothing waiting
    EXPECT_EQ(bancada.linha.Novo(), "");
}

TEST(SimuladorEnlace, AckOuNakSemQuadroPendenteSaoIgnorados) {
    Bancada bancada;
    bancada.Confirmar();
    bancada.Recusar();
    EXPECT_TRUE(bancada.linha.escritas.empty());
}

TEST(SimuladorEnlace, NovoPedidoDescartaOResto) {
    Bancada bancada;
    bancada.Pedir("MA");
    bancada.linha.Novo();
    bancada.Pedir("LR");
    EXPECT_EQ(bancada.linha.Novo(), ack + Monta_Quadro("LR14300507122602"));
    bancada.Confirmar();
    EXPECT_EQ(bancada.linha.Novo(), "");
}

TEST(SimuladorEnlace, InformaCadaPasso) {
    Bancada bancada;
    std::vector<std::string> linhas;
    bancada.simulador.ao_informar = [&](const std::string& l) { linhas.push_back(l); };
    bancada.Pedir("MT01");
    bancada.Recusar();
    ASSERT_EQ(linhas.size(), 4u);
    EXPECT_EQ(linhas[0], "Pedido: MT01");
    const std::string resposta = "Resposta: " + Visivel(Campo(bancada.linha.escritas[1], 2, 43));
    EXPECT_EQ(resposta.substr(resposta.size() - 5), "V<CR>");
    EXPECT_EQ(linhas[1], resposta);
    EXPECT_EQ(linhas[2], "NAK do programa: repetindo a resposta (1/3)");
    EXPECT_EQ(linhas[3], resposta);
}

TEST(SimuladorEnlace, VisivelNomeiaOsCaracteresDeControle) {
    EXPECT_EQ(Visivel("MP\x01"), "MP<SOH>");
    EXPECT_EQ(Visivel("V\r"), "V<CR>");
    EXPECT_EQ(Visivel(std::string("a\x03\x7F", 3)), "a<03><7F>");
}

// A level set while running holds from then on and drifts from there; the other tanks go on
// as they were; a setting the file would refuse changes nothing.
TEST(SimuladorDefinicao, NivelNovoValeDaliEmDiante) {
    using std::chrono::minutes;
    const Instante inicio = std::chrono::seconds(1000);
    Modelo_Medidor modelo(Config_Teste().medidor, inicio);
    EXPECT_EQ(modelo.Medir(1, inicio + minutes(10)).medido, 18250 - 600);
    Config_Medidor nova = modelo.Config();
    nova.tanques[0].medido = 27000;
    modelo.Redefinir(nova, inicio + minutes(10));
    EXPECT_EQ(modelo.Medir(1, inicio + minutes(10)).medido, 27000);
    EXPECT_EQ(modelo.Medir(1, inicio + minutes(20)).medido, 27000 - 600);
    EXPECT_EQ(modelo.Medir(4, inicio + minutes(20)).medido, 10000);  // 9999 + 120 a minute, full
}

TEST(SimuladorDefinicao, PeloMotorComoNoArquivo) {
    Bancada b;
    std::string erro;
    EXPECT_TRUE(b.simulador.Definir("tanque.2.medido=7000", erro)) << erro;
    EXPECT_EQ(b.simulador.Modelo().Tanque(2).medido, 7000);
    EXPECT_FALSE(b.simulador.Definir("tanque.2.medido=muito", erro));
    EXPECT_NE(erro.find("tanque.2.medido"), std::string::npos) << erro;
    EXPECT_EQ(b.simulador.Modelo().Tanque(2).medido, 7000);
}

}  // namespace
}  // namespace qx7::simulador::teste
