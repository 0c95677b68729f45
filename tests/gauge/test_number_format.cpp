#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "gauge/number_format.h"

namespace qx7 {
namespace {

struct Caso_Formato {
    double valor;
    char separador;
    std::string texto;
};

class Percentual_Teste : public ::testing::TestWithParam<Caso_Formato> {};

TEST_P(Percentual_Teste, AteDuasCasasComSeparadorSempre) {
    EXPECT_EQ(Formatar_Percentual(GetParam().valor, GetParam().separador), GetParam().texto);
}

INSTANTIATE_TEST_SUITE_P(
    Valores, Percentual_Teste,
    ::testing::Values(Caso_Formato{75, '.', "75."}, Caso_Formato{75.5, '.', "75.5"},
                      Caso_Formato{33.333, '.', "33.33"}, Caso_Formato{100, '.', "100."},
                      Caso_Formato{0, '.', "0."}, Caso_Formato{75, ',', "75,"},
                      Caso_Formato{75.5, ',', "75,5"}, Caso_Formato{66.666666, ',', "66,67"},
                      Caso_Formato{99.999, '.', "100."}, Caso_Formato{0.001, '.', "0."},
                      Caso_Formato{-0.001, '.', "0."}, Caso_Formato{-100, '.', "-100."},
                      Caso_Formato{150, '.', "150."}, Caso_Formato{12.50, '.', "12.5"}));

// Halves away from zero, decided on the decimal digits the value reads as.
INSTANTIATE_TEST_SUITE_P(
    Metades, Percentual_Teste,
    ::testing::Values(Caso_Formato{0.125, ',', "0,13"}, Caso_Formato{15.625, ',', "15,63"},
                      Caso_Formato{1.125, ',', "1,13"}, Caso_Formato{-0.125, ',', "-0,13"},
                      Caso_Formato{-15.625, '.', "-15.63"}, Caso_Formato{1.005, '.', "1.01"},
                      Caso_Formato{99.995, '.', "100."}, Caso_Formato{9.999, '.', "10."},
                      Caso_Formato{0.124999, '.', "0.12"}, Caso_Formato{-0.005, '.', "-0.01"},
                      Caso_Formato{-0.004, '.', "0."},
                      Caso_Formato{1e20, '.', "100000000000000000000."}));

TEST(Formatar_Percentual, NaoFinitoMostraAMarca) {
    EXPECT_EQ(Formatar_Percentual(std::numeric_limits<double>::quiet_NaN(), '.'), "#####");
    EXPECT_EQ(Formatar_Percentual(-std::numeric_limits<double>::infinity(), '.'), "#####");
}

struct Caso_Volumes {
    double medido;
    double complementar;
    std::string texto;
};

class Texto_Percentual_Teste : public ::testing::TestWithParam<Caso_Volumes> {};

TEST_P(Texto_Percentual_Teste, CampoGrandeMasFinitoDaOPercentualCerto) {
    EXPECT_EQ(Texto_Percentual(GetParam().medido, GetParam().complementar, ','), GetParam().texto);
}

constexpr double Maximo = std::numeric_limits<double>::max();
constexpr double Infinito = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Volumes, Texto_Percentual_Teste,
    ::testing::Values(Caso_Volumes{750, 250, "75,"}, Caso_Volumes{1, 2, "33,33"},
                      Caso_Volumes{1e307, 0, "100,"}, Caso_Volumes{1e308, 1e308, "50,"},
                      Caso_Volumes{Maximo, Maximo / 3, "75,"}, Caso_Volumes{750, 1e308, "0,"},
                      Caso_Volumes{-500, 1000, "-100,"}, Caso_Volumes{0, 0, ""},
                      Caso_Volumes{500, -500, ""}, Caso_Volumes{Infinito, 1, "#####"},
                      Caso_Volumes{1, std::numeric_limits<double>::quiet_NaN(), "#####"}));

struct Caso_Geral {
    double valor;
    int digitos;
    char separador;
    std::string texto;
};

class Geral_Teste : public ::testing::TestWithParam<Caso_Geral> {};

TEST_P(Geral_Teste, SemZerosAMais) {
    EXPECT_EQ(Formato_Geral(GetParam().valor, GetParam().digitos, GetParam().separador),
              GetParam().texto);
}

float Soma_De_Decimos(int n) {
    float soma = 0.0f;
    for (int i = 0; i < n; ++i) {
        soma += 0.1f;
    }
    return soma;
}

INSTANTIATE_TEST_SUITE_P(
    Valores, Geral_Teste,
    ::testing::Values(Caso_Geral{400.5, 15, '.', "400.5"}, Caso_Geral{400.5, 15, ',', "400,5"},
                      Caso_Geral{Soma_De_Decimos(3), 7, '.', "0.3"},
                      Caso_Geral{Soma_De_Decimos(3), 15, '.', "0.300000011920929"},
                      Caso_Geral{Soma_De_Decimos(10), 7, ',', "1"},
                      Caso_Geral{1e20, 15, '.', "1E+20"}, Caso_Geral{-0.0, 15, '.', "0"},
                      Caso_Geral{0, 7, '.', "0"}, Caso_Geral{1500, 15, '.', "1500"},
                      Caso_Geral{1e15, 15, '.', "1E+15"},
                      Caso_Geral{123456789012345, 15, '.', "123456789012345"},
                      Caso_Geral{0.0001, 15, '.', "0.0001"}, Caso_Geral{0.00001, 15, '.', "1E-05"},
                      Caso_Geral{-1.5e-10, 15, ',', "-1,5E-10"},
                      Caso_Geral{2.0 / 3.0, 7, '.', "0.6666667"}));

TEST(Formato_Geral, NaoFinitoMostraAMarcaENuncaUmZero) {
    EXPECT_EQ(Formato_Geral(std::numeric_limits<double>::quiet_NaN(), 15, '.'), "#####");
    EXPECT_EQ(Formato_Geral(1e308 + 1e308, 15, '.'), "#####");
    EXPECT_EQ(Formato_Geral(static_cast<float>(1e300), 7, '.'), "#####");
}

TEST(Formato_Geral, DigitosDemaisValemOsDeUmDouble) {
    EXPECT_EQ(Formato_Geral(1e-300, 1000, '.'), Formato_Geral(1e-300, 17, '.'));
    EXPECT_EQ(Formato_Geral(0.1, 1000, '.'), "0.10000000000000001");
    EXPECT_EQ(Formato_Geral(2.5, 0, '.'), "2");
}

}  // namespace
}  // namespace qx7
