#include <gtest/gtest.h>

#include "tests/gauge/bench.h"

namespace qx7::teste {
namespace {

class Relogio : public Bancada, public ::testing::WithParamInterface<std::string> {};

TEST_P(Relogio, MostraHoraDataEDia) {
    Receber(GetParam() +
            "090530311218"
            "02");
    EXPECT_EQ(Texto(Controle::LR_Hora), "09:05:30");
    EXPECT_EQ(Texto(Controle::LR_Data), "31/12/18");
    EXPECT_EQ(Texto(Controle::LR_Dia), "02");
    EXPECT_EQ(painel.textos.size(), 3u);
    EXPECT_TRUE(enlace.eventos.empty());
}

INSTANTIATE_TEST_SUITE_P(Codigos, Relogio, ::testing::Values("LR", "AR"));

TEST_F(Bancada, RelogioCurtoPoeOsSeparadoresMesmoAssim) {
    Receber("LR0905");
    const std::string fim = Monta_Quadro("LR0905").substr(7);  // ETX and the check character
    EXPECT_EQ(Texto(Controle::LR_Hora), "09:05:" + fim);
    EXPECT_EQ(Texto(Controle::LR_Data), "//");
    EXPECT_EQ(Texto(Controle::LR_Dia), "");
}

}  // namespace
}  // namespace qx7::teste
