#include <gtest/gtest.h>

#include <string>

#include "gauge/fields.h"
#include "gauge/upper_case.h"
#include "link/codepage.h"

namespace qx7 {
namespace {

struct Caso_Campo {
    std::size_t p;
    std::size_t n;
    std::string esperado;
};

class Campo_Teste : public ::testing::TestWithParam<Caso_Campo> {};

// "\x02IDA0112\x03K": STX at position 1, ETX at 9, the check character at 10.
TEST_P(Campo_Teste, ContaDesdeUmComOSTXEEncurtaNoFim) {
    const std::string quadro = "\x02IDA0112\x03K";
    EXPECT_EQ(Campo(quadro, GetParam().p, GetParam().n), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Posicoes, Campo_Teste,
                         ::testing::Values(Caso_Campo{1, 1, "\x02"}, Caso_Campo{2, 2, "ID"},
                                           Caso_Campo{4, 3, "A01"}, Caso_Campo{7, 2, "12"},
                                           Caso_Campo{9, 6, "\x03K"}, Caso_Campo{10, 1, "K"},
                                           Caso_Campo{11, 1, ""}, Caso_Campo{200, 5, ""},
                                           Caso_Campo{0, 3, ""}, Caso_Campo{4, 0, ""}));

TEST(Campo, TextoVazioDaVazio) {
    EXPECT_EQ(Campo("", 1, 1), "");
}

struct Caso_Texto {
    std::string entrada;
    std::string esperado;
};

class Sem_Brancos_Teste : public ::testing::TestWithParam<Caso_Texto> {};

TEST_P(Sem_Brancos_Teste, TiraSoOsBrancosDasPontas) {
    EXPECT_EQ(Sem_Brancos(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Textos, Sem_Brancos_Teste,
                         ::testing::Values(Caso_Texto{" 16", "16"}, Caso_Texto{"016", "016"},
                                           Caso_Texto{"  ", ""}, Caso_Texto{"", ""},
                                           Caso_Texto{" a b ", "a b"}, Caso_Texto{"\t5 ", "\t5"}));

class Em_Pares_Teste : public ::testing::TestWithParam<Caso_Texto> {};

TEST_P(Em_Pares_Teste, SeparaTresPares) {
    EXPECT_EQ(Em_Pares(GetParam().entrada, ':'), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Textos, Em_Pares_Teste,
                         ::testing::Values(Caso_Texto{"143005", "14:30:05"},
                                           Caso_Texto{"1430", "14:30:"}, Caso_Texto{"1", "1::"},
                                           Caso_Texto{"", "::"},
                                           Caso_Texto{"14300599", "14:30:05"}));

class Maiusculas_Teste : public ::testing::TestWithParam<Caso_Texto> {};

TEST_P(Maiusculas_Teste, ConverteNaPaginaDeCodigo) {
    EXPECT_EQ(Maiusculas(cp1252(GetParam().entrada)), cp1252(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(Textos, Maiusculas_Teste,
                         ::testing::Values(Caso_Texto{"lr", "LR"}, Caso_Texto{"mt07", "MT07"},
                                           Caso_Texto{"ação", "AÇÃO"}, Caso_Texto{"é ü ß", "É Ü ß"},
                                           Caso_Texto{"a÷b", "A÷B"}, Caso_Texto{"", ""}));

// Letters whose capitals lie outside Latin-1, written as the code page's bytes.
TEST(Maiusculas, LetrasDaFaixa80a9F) {
    EXPECT_EQ(Maiusculas("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");
}

}  // namespace
}  // namespace qx7
