// Each request family's exact answer bytes, read back by position as the program reads them.

#include <gtest/gtest.h>

#include <cstdio>

#include "gauge/fields.h"
#include "tests/tools/simulator_harness.h"

namespace qx7::simulador::teste {
namespace {

using namespace std::chrono_literals;

// The frames of one written text, in order, as the program's receive assembly cuts them.
std::vector<std::string> Unidades(std::string_view bytes) {
    std::vector<std::string> unidades;
    Montagem_RX montagem;
    for (const char c : bytes) {
        if (auto passo = Montar(montagem, std::string_view(&c, 1)); passo.unidade) {
            unidades.push_back(*passo.unidade);
        }
    }
    return unidades;
}

std::string Ack() {
    return std::string(1, ACK);
}

// Every answer frame of one request, each acknowledged as the program does.
std::vector<std::string> Serie(Bancada& bancada, std::string_view pedido) {
    bancada.Pedir(pedido);
    std::string bytes = bancada.linha.Novo();
    EXPECT_EQ(bytes.substr(0, 1), Ack());
    bytes.erase(0, 1);
    std::vector<std::string> quadros;
    while (!bytes.empty()) {
        const auto unidades = Unidades(bytes);
        EXPECT_EQ(unidades.size(), 1u);  // the next frame waits for this one's ACK
        quadros.insert(quadros.end(), unidades.begin(), unidades.end());
        bancada.Confirmar();
        bytes = bancada.linha.Novo();
    }
    return quadros;
}

TEST(SimuladorRespostas, IdentificacaoTrazEnderecoEVersao) {
    Bancada bancada;
    bancada.Pedir("ID01");
    const std::string bytes = bancada.linha.Novo();
    ASSERT_EQ(bytes, Ack() + Monta_Quadro("IDA0121"));
    const std::string quadro = bytes.substr(1);
    EXPECT_EQ(Campo(quadro, 2, 2), "ID");
    EXPECT_EQ(Campo(quadro, 4, 3), "A01");
    EXPECT_EQ(Campo(quadro, 7, 2), "21");
    EXPECT_EQ(Campo(quadro, 9, 1), std::string(1, ETX));
}

TEST(SimuladorRespostas, DesconexaoSoRecebeAck) {
    Bancada bancada;
    bancada.Pedir("ID02");
    EXPECT_EQ(bancada.linha.Novo(), Ack());
    EXPECT_FALSE(bancada.simulador.Proximo_Prazo().has_value());
}

TEST(SimuladorRespostas, ConfiguracaoComSenhaCerta) {
    Bancada bancada;
    bancada.Pedir("CFqx7");
    const std::string bytes = bancada.linha.Novo();
    ASSERT_EQ(bytes, Ack() + Monta_Quadro("CF040047111"));
    const std::string quadro = bytes.substr(1);
    EXPECT_EQ(Campo(quadro, 4, 2), "04");
    EXPECT_EQ(Campo(quadro, 6, 6), "004711");
    EXPECT_EQ(Campo(quadro, 12, 1), "1");
}

TEST(SimuladorRespostas, ConfiguracaoIndustrial) {
    auto config = Config_Teste();
    config.medidor.posto = false;
    config.medidor.numero_tanques = 16;
    Bancada bancada(config);
    bancada.Pedir("CFqx7");
    EXPECT_EQ(bancada.linha.Novo(), Ack() + Monta_Quadro("CF160047110"));
}

TEST(SimuladorRespostas, SenhaErradaSoRecebeAck) {
    for (const char* pedido : {"CFQX7", "CF", "CFqx7 ", "CFqx"}) {
        Bancada bancada;
        bancada.Pedir(pedido);
        EXPECT_EQ(bancada.linha.Novo(), Ack()) << pedido;
    }
}

TEST(SimuladorRespostas, MedicaoDeUmTanqueCampoACampo) {
    Bancada bancada;
    bancada.Pedir("MT01");
    const std::string bytes = bancada.linha.Novo();
    const std::string esperado = std::string("MT") + " 01" + "0745" + "01" + "030000" + "018250" +
                                 "011750" + "143005" + "071226" + "V" + "\r";
    ASSERT_EQ(bytes, Ack() + Monta_Quadro(esperado));
    const std::string quadro = bytes.substr(1);
    EXPECT_EQ(Campo(quadro, 4, 3), " 01");
    EXPECT_EQ(Campo(quadro, 7, 4), "0745");
    EXPECT_EQ(Campo(quadro, 11, 2), "01");
    EXPECT_EQ(Campo(quadro, 13, 6), "030000");
    EXPECT_EQ(Campo(quadro, 19, 6), "018250");
    EXPECT_EQ(Campo(quadro, 25, 6), "011750");
    EXPECT_EQ(Campo(quadro, 31, 6), "143005");
    EXPECT_EQ(Campo(quadro, 37, 6), "071226");
    EXPECT_EQ(Campo(quadro, 43, 1), "V");
    EXPECT_EQ(Campo(quadro, 44, 1), "\r");
    EXPECT_EQ(Campo(quadro, 45, 1), std::string(1, ETX));
}

TEST(SimuladorRespostas, NiveisDerivamEntreLeituras) {
    Bancada bancada;
    bancada.Pedir("MT01");
    bancada.Confirmar();
    bancada.Passar(2min);
    bancada.linha.Novo();
    bancada.Pedir("MT01");
    const std::string quadro = bancada.linha.Novo().substr(1);
    // 60 units a minute leave the tank; the free space grows by the same amount.
    EXPECT_EQ(Campo(quadro, 19, 6), "018130");
    EXPECT_EQ(Campo(quadro, 25, 6), "011870");
    EXPECT_EQ(Campo(quadro, 31, 6), "143205");
}

TEST(SimuladorRespostas, ConsultaDeMemoriaDevolveAUltimaMedicao) {
    Bancada bancada;
    bancada.Passar(2min);
    bancada.Pedir("MT01");
    bancada.Confirmar();
    bancada.Passar(3min);
    bancada.linha.Novo();
    bancada.Pedir("LM01");
    const std::string quadro = bancada.linha.Novo().substr(1);
    EXPECT_EQ(Campo(quadro, 2, 2), "LM");
    EXPECT_EQ(Campo(quadro, 19, 6), "018130");
    EXPECT_EQ(Campo(quadro, 31, 6), "143205");
    EXPECT_EQ(Campo(quadro, 44, 1), "\r");
}

TEST(SimuladorRespostas, PesoMarcadoComP) {
    Bancada bancada;
    bancada.Pedir("LM02");
    const std::string campos = std::string("LM") + " 02" + "0840" + "04" + "020000" + "005000" +
                               "014000" + "143005" + "071226" + "P" + "\r";
    EXPECT_EQ(bancada.linha.Novo(), Ack() + Monta_Quadro(campos));
}

struct Caso_Erro {
    const char* pedido;
    const char* resposta;
};

class SimuladorErros : public ::testing::TestWithParam<Caso_Erro> {};

TEST_P(SimuladorErros, RespondeComCodigoEMotivo) {
    Bancada bancada;
    bancada.Pedir(GetParam().pedido);
    const std::string bytes = bancada.linha.Novo();
    ASSERT_EQ(bytes, Ack() + Monta_Quadro(GetParam().resposta));
    EXPECT_EQ(Campo(bytes.substr(1), 4, 1), "E");
}

INSTANTIATE_TEST_SUITE_P(Todos, SimuladorErros,
                         ::testing::Values(Caso_Erro{"MT05", "MTENH"}, Caso_Erro{"MT16", "MTENH"},
                                           Caso_Erro{"LM05", "LMENH"}, Caso_Erro{"MT17", "MTETI"},
                                           Caso_Erro{"MT00", "MTETI"}, Caso_Erro{"MT", "MTETI"},
                                           Caso_Erro{"MTab", "MTETI"}, Caso_Erro{"LM001", "LMETI"},
                                           Caso_Erro{"LM-1", "LMETI"},
                                           Caso_Erro{"MP011226", "MPESL"},
                                           Caso_Erro{"MP", "MPESL"}));

TEST(SimuladorRespostas, TanqueDeUmDigitoTambemServe) {
    Bancada bancada;
    bancada.Pedir("MT3");
    EXPECT_EQ(Campo(bancada.linha.Novo().substr(1), 4, 3), " 03");
}

TEST(SimuladorRespostas, TodosOsTanquesUmQuadroPorAck) {
    Bancada bancada;
    const auto quadros = Serie(bancada, "MA");
    ASSERT_EQ(quadros.size(), 4u);
    for (int t = 1; t <= 4; ++t) {
        const auto& quadro = quadros[static_cast<std::size_t>(t - 1)];
        EXPECT_TRUE(BCC_Correto(quadro));
        EXPECT_EQ(Campo(quadro, 2, 2), "MA");
        EXPECT_EQ(Campo(quadro, 4, 3), " 0" + std::to_string(t));
        EXPECT_EQ(Campo(quadro, 44, 1), t == 4 ? "\r" : " ");
    }
    EXPECT_EQ(Campo(quadros[1], 43, 1), "P");
    EXPECT_EQ(Campo(quadros[2], 19, 12), "000750014250");
}

TEST(SimuladorRespostas, InventarioDeDezesseisTanques) {
    auto config = Config_Teste();
    config.medidor = Medidor_Padrao();
    config.medidor.numero_tanques = 16;
    Bancada bancada(config);
    const auto quadros = Serie(bancada, "MA");
    ASSERT_EQ(quadros.size(), 16u);
    char campo[4];
    for (int t = 1; t <= 16; ++t) {
        const auto& quadro = quadros[static_cast<std::size_t>(t - 1)];
        std::snprintf(campo, sizeof campo, " %02d", t);
        EXPECT_EQ(Campo(quadro, 4, 3), campo);
        EXPECT_EQ(Campo(quadro, 44, 1), t == 16 ? "\r" : " ");
    }
    // The default station: several products at different levels.
    EXPECT_NE(Campo(quadros[0], 11, 2), Campo(quadros[2], 11, 2));
    EXPECT_NE(Campo(quadros[0], 19, 6), Campo(quadros[6], 19, 6));
}

TEST(SimuladorRespostas, RelogioCorre) {
    Bancada bancada;
    bancada.Pedir("LR");
    const std::string quadro = bancada.linha.Novo().substr(1);
    ASSERT_EQ(quadro, Monta_Quadro("LR14300507122602"));
    EXPECT_EQ(Campo(quadro, 4, 6), "143005");
    EXPECT_EQ(Campo(quadro, 10, 6), "071226");
    EXPECT_EQ(Campo(quadro, 16, 2), "02");  // Monday; Sunday is 01
    bancada.Confirmar();
    bancada.Passar(std::chrono::hours(10) + 65s);
    bancada.Pedir("AR");
    EXPECT_EQ(bancada.linha.Novo(), Ack() + Monta_Quadro("AR00311008122603"));
}

TEST(SimuladorRespostas, MedicoesProgramadasDaData) {
    Bancada bancada;
    const auto quadros = Serie(bancada, "MP061226");
    ASSERT_EQ(quadros.size(), 3u);
    EXPECT_EQ(quadros[0], Monta_Quadro("MP060000061226020100 01\x01"));
    EXPECT_EQ(quadros[1], Monta_Quadro("MP180000061226019500 01\x01"));
    EXPECT_EQ(quadros[2], Monta_Quadro("MP180000061226000900 03"));
    EXPECT_EQ(Campo(quadros[2], 4, 6), "180000");
    EXPECT_EQ(Campo(quadros[2], 10, 6), "061226");
    EXPECT_EQ(Campo(quadros[2], 16, 6), "000900");
    EXPECT_EQ(Campo(quadros[2], 22, 3), " 03");
    EXPECT_EQ(Campo(quadros[0], 25, 1), std::string(1, SOH));
    EXPECT_EQ(Campo(quadros[2], 25, 1), std::string(1, ETX));
}

TEST(SimuladorRespostas, DataComBrancosAoRedorAchaOsRegistros) {
    Bancada bancada;
    bancada.Pedir("MP 051226");
    EXPECT_EQ(bancada.linha.Novo(), Ack() + Monta_Quadro("MP120000051226004321 02"));
}

TEST(SimuladorRespostas, PedidoDesconhecidoSoRecebeAck) {
    Bancada bancada;
    bancada.Pedir("XY12");
    EXPECT_EQ(bancada.linha.Novo(), Ack());
}

TEST(SimuladorRespostas, ProgramadasPadraoCobremOntemEHoje) {
    auto config = Config_Teste();
    config.medidor.programadas.clear();
    config.medidor.programadas_padrao = true;
    Bancada bancada(config);
    const auto hoje = bancada.simulador.Modelo().Programadas("071226");
    const auto ontem = bancada.simulador.Modelo().Programadas("061226");
    EXPECT_EQ(hoje.size(), 8u);  // two records a day for each of four tanks
    EXPECT_EQ(ontem.size(), 8u);
    EXPECT_EQ(hoje.front().hora, "060000");
    EXPECT_EQ(hoje.back().tanque, 4);
}

}  // namespace
}  // namespace qx7::simulador::teste
