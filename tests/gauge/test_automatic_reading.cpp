// The automatic reading against a clock of plain numbers, ticked once a second.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gauge/automatic_reading.h"

namespace qx7::teste {
namespace {

constexpr std::int64_t Segundo = 1000;
constexpr std::int64_t Minuto = 60 * Segundo;
constexpr Estado_Linha Livre{.conectada = true, .ociosa = true};
constexpr Estado_Linha Ocupada{.conectada = true, .ociosa = false};
constexpr Estado_Linha Desconectada{.conectada = false, .ociosa = true};

class Leitura_Automatica_Teste : public ::testing::Test {
  protected:
    // One tick a second from `de` up to `ate` inclusive.
    void Rodar(std::int64_t de, std::int64_t ate, Estado_Linha estado) {
        for (agora = de; agora <= ate; agora += Segundo) {
            leitura.Tick(agora, estado);
        }
    }

    std::int64_t agora = 0;
    std::vector<std::int64_t> leituras;  // the clock at every reading
    Leitura_Automatica leitura{[this] { leituras.push_back(agora); }};
};

TEST_F(Leitura_Automatica_Teste, DesligadaPorOmissao) {
    EXPECT_EQ(leitura.Intervalo(), 0);
    Rodar(0, 24 * 60 * Minuto, Livre);
    EXPECT_TRUE(leituras.empty());
}

TEST_F(Leitura_Automatica_Teste, LigadaComALinhaJaConectadaLeUmIntervaloDepois) {
    Rodar(0, 10 * Minuto, Livre);
    ASSERT_TRUE(leitura.Definir_Intervalo(1));
    Rodar(10 * Minuto + Segundo, 12 * Minuto, Livre);
    EXPECT_EQ(leituras, (std::vector<std::int64_t>{11 * Minuto + Segundo}));
}

TEST_F(Leitura_Automatica_Teste, DesligadaDeNovoParaDeLer) {
    ASSERT_TRUE(leitura.Definir_Intervalo(1));
    Rodar(0, 90 * Segundo, Livre);
    ASSERT_TRUE(leitura.Definir_Intervalo(0));
    Rodar(91 * Segundo, 10 * Minuto, Livre);
    EXPECT_EQ(leituras, std::vector<std::int64_t>{Minuto});
}

class Leitura_Automatica_Intervalo : public Leitura_Automatica_Teste,
                                     public ::testing::WithParamInterface<int> {};

TEST_P(Leitura_Automatica_Intervalo, UmaLeituraPorIntervaloAPrimeiraUmIntervaloDepois) {
    ASSERT_TRUE(leitura.Definir_Intervalo(GetParam()));
    const std::int64_t intervalo = GetParam() * Minuto;
    Rodar(0, 3 * intervalo + 30 * Segundo, Livre);
    EXPECT_EQ(leituras, (std::vector<std::int64_t>{intervalo, 2 * intervalo, 3 * intervalo}));
}

INSTANTIATE_TEST_SUITE_P(Minutos, Leitura_Automatica_Intervalo, ::testing::Values(1, 7, 1440));

TEST_F(Leitura_Automatica_Teste, NaoLeDesconectadaEContaDesdeAConexao) {
    ASSERT_TRUE(leitura.Definir_Intervalo(1));
    Rodar(0, 5 * Minuto, Desconectada);
    EXPECT_TRUE(leituras.empty());
    Rodar(5 * Minuto + Segundo, 7 * Minuto, Livre);
    EXPECT_EQ(leituras, (std::vector<std::int64_t>{6 * Minuto + Segundo}));
}

TEST_F(Leitura_Automatica_Teste, OcupadaEsperaOPrimeiroTickOciosoDepoisContaDali) {
    ASSERT_TRUE(leitura.Definir_Intervalo(1));
    Rodar(0, 50 * Segundo, Livre);
    Rodar(51 * Segundo, 75 * Segundo, Ocupada);
    EXPECT_TRUE(leituras.empty());
    Rodar(76 * Segundo, 3 * Minuto, Livre);
    EXPECT_EQ(leituras, (std::vector<std::int64_t>{76 * Segundo, 136 * Segundo}));
}

TEST_F(Leitura_Automatica_Teste, MudarOIntervaloRecomecaAContagem) {
    ASSERT_TRUE(leitura.Definir_Intervalo(5));
    Rodar(0, 4 * Minuto, Livre);
    ASSERT_TRUE(leitura.Definir_Intervalo(2));
    // The count starts again at the next tick, not from the enabling four minutes back.
    Rodar(4 * Minuto + Segundo, 9 * Minuto, Livre);
    EXPECT_EQ(leituras, (std::vector<std::int64_t>{6 * Minuto + Segundo, 8 * Minuto + Segundo}));
}

TEST_F(Leitura_Automatica_Teste, OMesmoIntervaloDeNovoNaoRecomeca) {
    ASSERT_TRUE(leitura.Definir_Intervalo(2));
    Rodar(0, 90 * Segundo, Livre);
    ASSERT_TRUE(leitura.Definir_Intervalo(2));
    Rodar(91 * Segundo, 3 * Minuto, Livre);
    EXPECT_EQ(leituras, std::vector<std::int64_t>{2 * Minuto});
}

struct Caso_Faixa {
    int minutos;
    bool aceito;
};

class Leitura_Automatica_Faixa : public Leitura_Automatica_Teste,
                                 public ::testing::WithParamInterface<Caso_Faixa> {};

TEST_P(Leitura_Automatica_Faixa, AceitaDeZeroAUmDiaERecusaOResto) {
    ASSERT_TRUE(leitura.Definir_Intervalo(30));
    EXPECT_EQ(leitura.Definir_Intervalo(GetParam().minutos), GetParam().aceito);
    EXPECT_EQ(leitura.Intervalo(), GetParam().aceito ? GetParam().minutos : 30);
}

INSTANTIATE_TEST_SUITE_P(Minutos, Leitura_Automatica_Faixa,
                         ::testing::Values(Caso_Faixa{0, true}, Caso_Faixa{1, true},
                                           Caso_Faixa{1440, true}, Caso_Faixa{-1, false},
                                           Caso_Faixa{1441, false}, Caso_Faixa{-100000, false}));

TEST_F(Leitura_Automatica_Teste, IntervaloRecusadoNaoMexeNaContagem) {
    ASSERT_TRUE(leitura.Definir_Intervalo(1));
    Rodar(0, 30 * Segundo, Livre);
    EXPECT_FALSE(leitura.Definir_Intervalo(1441));
    Rodar(31 * Segundo, 90 * Segundo, Livre);
    EXPECT_EQ(leituras, std::vector<std::int64_t>{Minuto});
}

TEST_F(Leitura_Automatica_Teste, RelogioQueVoltaAtrasRecomecaAContagem) {
    ASSERT_TRUE(leitura.Definir_Intervalo(1));
    Rodar(10 * Minuto, 10 * Minuto + 30 * Segundo, Livre);
    Rodar(0, 2 * Minuto + 30 * Segundo, Livre);
    EXPECT_EQ(leituras, (std::vector<std::int64_t>{Minuto, 2 * Minuto}));
}

TEST_F(Leitura_Automatica_Teste, RelogioQueSaltaParaFrenteLeSoUmaVez) {
    ASSERT_TRUE(leitura.Definir_Intervalo(1));
    Rodar(0, 30 * Segundo, Livre);
    Rodar(60 * Minuto, 61 * Minuto + 30 * Segundo, Livre);
    EXPECT_EQ(leituras, (std::vector<std::int64_t>{60 * Minuto, 61 * Minuto}));
}

}  // namespace
}  // namespace qx7::teste
