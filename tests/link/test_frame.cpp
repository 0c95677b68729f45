#include <gtest/gtest.h>

#include <string>

#include "link/frame.h"
#include "link_bench.h"

namespace qx7::teste {
namespace {

struct Caso_Quadro {
    std::string payload;
    std::string quadro;
};

class Quadros : public ::testing::TestWithParam<Caso_Quadro> {};

TEST_P(Quadros, MontaQuadroComBCCDoPayloadEETX) {
    EXPECT_EQ(Monta_Quadro(GetParam().payload), GetParam().quadro);
    EXPECT_TRUE(BCC_Correto(GetParam().quadro));
}

INSTANTIATE_TEST_SUITE_P(
    Exemplos, Quadros,
    ::testing::Values(Caso_Quadro{"abc", Bytes({0x02, 0x61, 0x62, 0x63, 0x03, 0x63})},
                      Caso_Quadro{"ID01", Bytes({0x02, 0x49, 0x44, 0x30, 0x31, 0x03, 0x0F})},
                      Caso_Quadro{"ID02", Bytes({0x02, 0x49, 0x44, 0x30, 0x32, 0x03, 0x0C})},
                      Caso_Quadro{"LR", Bytes({0x02, 0x4C, 0x52, 0x03, 0x1D})},
                      Caso_Quadro{"", Bytes({0x02, 0x03, 0x03})}));

TEST(Calcula_BCC, TextoVazioDaZero) {
    EXPECT_EQ(Calcula_BCC(""), 0);
}

TEST(Calcula_BCC, UsaOCodigoDeOitoBitsDeCadaCaracter) {
    EXPECT_EQ(Calcula_BCC(Bytes({0xE7, 0x03})), 0xE4);
    EXPECT_EQ(Calcula_BCC(Bytes({0xFF, 0xFF})), 0x00);
    EXPECT_EQ(Calcula_BCC(Bytes({0x00, 0x80, 0x01})), 0x81);
}

struct Caso_BCC {
    std::string quadro;
    bool correto;
};

class Verificacao_BCC : public ::testing::TestWithParam<Caso_BCC> {};

TEST_P(Verificacao_BCC, ComparaOUltimoByteComOXorDoMeio) {
    EXPECT_EQ(BCC_Correto(GetParam().quadro), GetParam().correto);
}

INSTANTIATE_TEST_SUITE_P(Casos, Verificacao_BCC,
                         ::testing::Values(Caso_BCC{Bytes({0x02, 0x4C, 0x52, 0x03, 0x1D}), true},
                                           Caso_BCC{Bytes({0x02, 0x4C, 0x52, 0x03, 0x1C}), false},
                                           Caso_BCC{Bytes({0x02, 0x4C, 0x53, 0x03, 0x1D}), false},
                                           Caso_BCC{Bytes({0x02, 0x03, 0x03}), true},
                                           Caso_BCC{Bytes({0x02, 0x00}), true},
                                           Caso_BCC{Bytes({0x02}), false}, Caso_BCC{"", false}));

}  // namespace
}  // namespace qx7::teste
