#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "gauge/numeric_text.h"

namespace qx7 {
namespace {

struct Caso_Valor {
    std::string texto;
    double valor;
};

class Valor_Numerico_Teste : public ::testing::TestWithParam<Caso_Valor> {};

TEST_P(Valor_Numerico_Teste, LeOPrefixoNumerico) {
    EXPECT_DOUBLE_EQ(Valor_Numerico(GetParam().texto), GetParam().valor) << GetParam().texto;
}

INSTANTIATE_TEST_SUITE_P(
    Textos, Valor_Numerico_Teste,
    ::testing::Values(Caso_Valor{"001500", 1500}, Caso_Valor{"0015.5", 15.5},
                      Caso_Valor{"15,5", 15}, Caso_Valor{"", 0}, Caso_Valor{" 1 2", 12},
                      Caso_Valor{"-3e2", -300}, Caso_Valor{"abc", 0}, Caso_Valor{"1e999", 0},
                      Caso_Valor{"75,", 75}, Caso_Valor{"75.", 75}, Caso_Valor{".5", 0.5},
                      Caso_Valor{"-.5", -0.5}, Caso_Valor{"+7", 7}, Caso_Valor{"- 5", -5},
                      Caso_Valor{"\t4\n2", 42}, Caso_Valor{"1.2.3", 1.2}, Caso_Valor{"2e", 2},
                      Caso_Valor{"2e+", 2}, Caso_Valor{"2E+3x", 2000}, Caso_Valor{"1d2", 100},
                      Caso_Valor{"+-5", 0}, Caso_Valor{".", 0}, Caso_Valor{"e5", 0},
                      Caso_Valor{"12abc", 12}, Caso_Valor{"\r5", 0}, Caso_Valor{" 16", 16},
                      Caso_Valor{"1e-999", 0},
                      Caso_Valor{std::string("7\0"
                                             "8",
                                             3),
                                 7}));

struct Caso_Exato {
    std::string texto;
    std::optional<double> valor;
};

class Valor_Numerico_Exato_Teste : public ::testing::TestWithParam<Caso_Exato> {};

// Only a text that is a number through to its end has a value; the blanks the rule skips are
// skipped here too.
TEST_P(Valor_Numerico_Exato_Teste, SoOTextoInteiroENumero) {
    EXPECT_EQ(Valor_Numerico_Exato(GetParam().texto), GetParam().valor) << GetParam().texto;
}

INSTANTIATE_TEST_SUITE_P(
    Textos, Valor_Numerico_Exato_Teste,
    ::testing::Values(Caso_Exato{"001500", 1500}, Caso_Exato{" 16", 16}, Caso_Exato{"0.85", 0.85},
                      Caso_Exato{"- 5", -5}, Caso_Exato{"-3e2", -300}, Caso_Exato{"1d2", 100},
                      Caso_Exato{"75.", 75}, Caso_Exato{"000000", 0}, Caso_Exato{"", std::nullopt},
                      Caso_Exato{"      ", std::nullopt}, Caso_Exato{"15,5", std::nullopt},
                      Caso_Exato{"12abc", std::nullopt}, Caso_Exato{"2e", std::nullopt},
                      Caso_Exato{"1e999", std::nullopt}, Caso_Exato{".", std::nullopt},
                      Caso_Exato{"\r5", std::nullopt}, Caso_Exato{"1.2.3", std::nullopt}));

struct Caso_Arredondar {
    double valor;
    double esperado;
};

class Arredondar_Par_Teste : public ::testing::TestWithParam<Caso_Arredondar> {};

TEST_P(Arredondar_Par_Teste, MetadesParaOPar) {
    EXPECT_EQ(Arredondar_Par(GetParam().valor), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Valores, Arredondar_Par_Teste,
                         ::testing::Values(Caso_Arredondar{2.5, 2}, Caso_Arredondar{3.5, 4},
                                           Caso_Arredondar{-2.5, -2}, Caso_Arredondar{0.4, 0},
                                           Caso_Arredondar{0.6, 1}, Caso_Arredondar{16, 16}));

TEST(Inteiro_Par, CabeOuNao) {
    int n = -7;
    EXPECT_TRUE(Inteiro_Par(16.5, n));
    EXPECT_EQ(n, 16);
    EXPECT_TRUE(Inteiro_Par(-1.2, n));
    EXPECT_EQ(n, -1);
    n = -7;
    EXPECT_FALSE(Inteiro_Par(1e10, n));
    EXPECT_FALSE(Inteiro_Par(-1e10, n));
    EXPECT_FALSE(Inteiro_Par(std::numeric_limits<double>::quiet_NaN(), n));
    EXPECT_FALSE(Inteiro_Par(std::numeric_limits<double>::infinity(), n));
    EXPECT_EQ(n, -7);
}

}  // namespace
}  // namespace qx7
