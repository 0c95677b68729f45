#include <gtest/gtest.h>

#include <string>

#include "link/log_lines.h"

namespace qx7 {
namespace {

struct Caso_Zeros {
    std::size_t numero;
    std::size_t largura;
    std::string texto;
};

class Zeros : public ::testing::TestWithParam<Caso_Zeros> {};

TEST_P(Zeros, LarguraEMinimaNaoMaxima) {
    EXPECT_EQ(Com_Zeros(GetParam().numero, GetParam().largura), GetParam().texto);
}

INSTANTIATE_TEST_SUITE_P(Casos, Zeros,
                         ::testing::Values(Caso_Zeros{0, 4, "0000"}, Caso_Zeros{1, 4, "0001"},
                                           Caso_Zeros{50, 4, "0050"}, Caso_Zeros{4, 3, "004"},
                                           Caso_Zeros{999, 3, "999"}, Caso_Zeros{1003, 3, "1003"},
                                           Caso_Zeros{123456, 4, "123456"}));

TEST(Linhas_Log, LinhaDeFilaDeTransmissao) {
    EXPECT_EQ(Linha_Fila("TX", 1, "ID02"), "#Msg.=0001 Tam.Msg.TX= 004 Msg.TX= ID02");
}

TEST(Linhas_Log, LinhaDeFilaDeRecepcaoComCaracteresDeControle) {
    EXPECT_EQ(Linha_Fila("RX", 12, "\x06"), "#Msg.=0012 Tam.Msg.RX= 001 Msg.RX= \x06");
}

TEST(Linhas_Log, LinhaDeTransmissao) {
    EXPECT_EQ(Linha_Transmissao("\x02ID02\x03\x0C"), "Tam.Msg.TX= 007 Msg.TX= \x02ID02\x03\x0C");
    EXPECT_EQ(Linha_Transmissao(std::string(1003, 'a')).substr(0, 25), "Tam.Msg.TX= 1003 Msg.TX= ");
}

TEST(Linhas_Log, LinhaDeEvento) {
    EXPECT_EQ(Linha_Evento("Recebeu BREAK"), "Evento : Recebeu BREAK");
}

}  // namespace
}  // namespace qx7
