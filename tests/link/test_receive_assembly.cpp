#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/receive_assembly.h"
#include "link_bench.h"

namespace qx7::teste {
namespace {

struct Resultado {
    std::vector<std::string> unidades;
    int descartadas = 0;
};

Resultado Montar_Tudo(Montagem_RX& estado, const std::string& bytes) {
    Resultado r;
    for (const char c : bytes) {
        const Passo_RX passo = Montar(estado, std::string_view(&c, 1));
        if (passo.unidade) {
            r.unidades.push_back(*passo.unidade);
        }
        r.descartadas += passo.descartada ? 1 : 0;
    }
    return r;
}

struct Caso_Montagem {
    const char* nome;
    std::string bytes;
    std::vector<std::string> unidades;
};

class Montagem : public ::testing::TestWithParam<Caso_Montagem> {};

TEST_P(Montagem, ProduzAsUnidadesEsperadas) {
    Montagem_RX estado;
    const Resultado r = Montar_Tudo(estado, GetParam().bytes);
    EXPECT_EQ(r.unidades, GetParam().unidades);
    EXPECT_EQ(r.descartadas, 0);
}

const std::string abc = Bytes({0x02, 0x61, 0x62, 0x63, 0x03, 0x63});
const std::string lr = Bytes({0x02, 0x4C, 0x52, 0x03, 0x1D});

INSTANTIATE_TEST_SUITE_P(
    Casos, Montagem,
    ::testing::Values(
        Caso_Montagem{"QuadroSimples", abc, {abc}}, Caso_Montagem{"ACKIsolado", "\x06", {"\x06"}},
        Caso_Montagem{"NAKIsolado", "\x15", {"\x15"}},
        Caso_Montagem{"ACKEntreQuadros", abc + "\x06" + lr, {abc, "\x06", lr}},
        Caso_Montagem{"ACKeNAKDentroDoQuadroSaoDados",
                      Bytes({0x02, 0x06, 0x15, 0x03, 0x10}),
                      {Bytes({0x02, 0x06, 0x15, 0x03, 0x10})}},
        Caso_Montagem{"BCCIgualASTX",
                      Bytes({0x02, 0x41, 0x43, 0x03, 0x02}) + "\x06",
                      {Bytes({0x02, 0x41, 0x43, 0x03, 0x02}), "\x06"}},
        Caso_Montagem{"BCCIgualAETX", Bytes({0x02, 0x03, 0x03}), {Bytes({0x02, 0x03, 0x03})}},
        Caso_Montagem{
            "BCCIgualAACK", Bytes({0x02, 0x05, 0x03, 0x06}), {Bytes({0x02, 0x05, 0x03, 0x06})}},
        Caso_Montagem{
            "BCCIgualANAK", Bytes({0x02, 0x16, 0x03, 0x15}), {Bytes({0x02, 0x16, 0x03, 0x15})}},
        Caso_Montagem{"RuidoAntesDoSTXDescartado", "xyz\r\n\x01" + abc, {abc}},
        Caso_Montagem{"SegundoSTXEDado",
                      Bytes({0x02, 0x41, 0x02, 0x42, 0x03, 0x01}),
                      {Bytes({0x02, 0x41, 0x02, 0x42, 0x03, 0x01})}},
        Caso_Montagem{"DoisQuadrosEmOrdem", abc + lr, {abc, lr}},
        Caso_Montagem{
            "NuloEDadoEBCC", Bytes({0x02, 0x00, 0x03, 0x00}), {Bytes({0x02, 0x00, 0x03, 0x00})}},
        Caso_Montagem{"RuidoEntreQuadrosDescartado", abc + "zz\x03\x05" + lr, {abc, lr}},
        Caso_Montagem{"QuadroSemETXFicaAberto", Bytes({0x02, 0x41, 0x42}), {}},
        Caso_Montagem{"SemNada", "", {}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Montagem_Estado, LeituraVaziaNaoMudaNada) {
    Montagem_RX estado;
    Montar_Tudo(estado,
                "\x02"
                "AB\x03");
    const Passo_RX passo = Montar(estado, "");
    EXPECT_FALSE(passo.unidade);
    EXPECT_FALSE(passo.descartada);
    EXPECT_TRUE(estado.Recebendo_Msg);
    EXPECT_TRUE(estado.Recebeu_ETX);
    EXPECT_EQ(estado.Buffer_RX,
              "\x02"
              "AB\x03");
}

TEST(Montagem_Estado, UnidadeConcluidaVoltaAoEstadoEntreUnidades) {
    Montagem_RX estado;
    Montar_Tudo(estado, lr);
    EXPECT_FALSE(estado.Recebendo_Msg);
    EXPECT_FALSE(estado.Recebeu_ETX);
    EXPECT_TRUE(estado.Buffer_RX.empty());
}

TEST(Montagem_Estado, QuadroSeguePorVariasChamadas) {
    Montagem_RX estado;
    EXPECT_TRUE(Montar_Tudo(estado,
                            "\x02"
                            "a")
                    .unidades.empty());
    EXPECT_TRUE(Montar_Tudo(estado, "bc").unidades.empty());
    EXPECT_EQ(Montar_Tudo(estado,
                          "\x03"
                          "c")
                  .unidades,
              std::vector<std::string>{abc});
}

TEST(Montagem_Limite, QuadroNoLimiteEAceito) {
    Montagem_RX estado;
    const std::string dados(Tamanho_Maximo_Unidade - 1, 'a');
    const Resultado r = Montar_Tudo(estado, "\x02" + dados +
                                                "\x03"
                                                "X");
    ASSERT_EQ(r.unidades.size(), 1U);
    EXPECT_EQ(r.unidades[0].size(), Tamanho_Maximo_Unidade + 2);
    EXPECT_EQ(r.descartadas, 0);
}

TEST(Montagem_Limite, QuadroAlemDoLimiteEDescartadoEARecepcaoSeRessincroniza) {
    Montagem_RX estado;
    const std::string dados(Tamanho_Maximo_Unidade, 'a');
    const Resultado r = Montar_Tudo(estado, "\x02" + dados +
                                                "b\x03"
                                                "c" +
                                                lr);
    EXPECT_EQ(r.descartadas, 1);
    EXPECT_EQ(r.unidades, std::vector<std::string>{lr});
    EXPECT_FALSE(estado.Recebendo_Msg);
}

}  // namespace
}  // namespace qx7::teste
