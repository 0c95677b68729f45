// Timer1: clock labels, running light and the DSR watch.
#include <string>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

using Indicadores = Bancada;

TEST_F(Indicadores, DataEHoraVemDaPlataforma) {
    plataforma.data = "08/12/2026";
    plataforma.hora = "09:15:42";
    enlace.Timer1_Tick();
    EXPECT_EQ(painel.Texto(Controle::Data), "08/12/2026");
    EXPECT_EQ(painel.Texto(Controle::Hora), "09:15:42");
    plataforma.hora = "09:15:43";
    enlace.Timer1_Tick();
    EXPECT_EQ(painel.Texto(Controle::Hora), "09:15:43");
}

TEST_F(Indicadores, LampadasAcendemEmOrdemEVoltamAZero) {
    for (int i = 0; i < 12; ++i) {
        enlace.Timer1_Tick();
    }
    EXPECT_EQ(painel.sinais, (std::vector<int>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1}));
    EXPECT_TRUE(registro.linhas.empty());
}

struct Caso_DSR {
    const char* antes;
    bool dsr;
    const char* depois;
};

class Vigia_DSR : public Bancada, public ::testing::WithParamInterface<Caso_DSR> {};

TEST_P(Vigia_DSR, EstadoSegueALinhaDSR) {
    painel.Definir_Texto(Controle::Estado, GetParam().antes);
    porta.dsr = GetParam().dsr;
    enlace.Timer1_Tick();
    EXPECT_EQ(painel.Texto(Controle::Estado), GetParam().depois);
}

INSTANTIATE_TEST_SUITE_P(Casos, Vigia_DSR,
                         ::testing::Values(Caso_DSR{"ON-LINE", false, "QX7 DESLIGADO"},
                                           Caso_DSR{"OFF-LINE", false, "QX7 DESLIGADO"},
                                           Caso_DSR{"", false, "QX7 DESLIGADO"},
                                           Caso_DSR{"QX7 DESLIGADO", false, "QX7 DESLIGADO"},
                                           Caso_DSR{"QX7 DESLIGADO", true, "OFF-LINE"},
                                           Caso_DSR{"ON-LINE", true, "ON-LINE"},
                                           Caso_DSR{"OFF-LINE", true, "OFF-LINE"},
                                           Caso_DSR{"QX7 DESLIGADO ", true, "QX7 DESLIGADO "},
                                           Caso_DSR{"qx7 desligado", true, "qx7 desligado"}));

TEST_F(Indicadores, DesligarERelgarOMedidor) {
    painel.Definir_Texto(Controle::Estado, "ON-LINE");
    enlace.Timer1_Tick();
    EXPECT_EQ(painel.Texto(Controle::Estado), "ON-LINE");
    porta.dsr = false;
    enlace.Timer1_Tick();
    EXPECT_EQ(painel.Texto(Controle::Estado), "QX7 DESLIGADO");
    porta.dsr = true;
    enlace.Timer1_Tick();
    EXPECT_EQ(painel.Texto(Controle::Estado), "OFF-LINE");
    EXPECT_EQ(painel.sinais, (std::vector<int>{0, 1, 2}));
}

TEST_F(Indicadores, Timer1DuranteAEsperaDeTransmissaoContinua) {
    porta.reter_saida = true;
    plataforma.ao_processar = [&] {
        enlace.Timer1_Tick();
        enlace.Timer2_Tick();
    };
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Timer3_Tick();
    EXPECT_EQ(painel.sinais, (std::vector<int>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace qx7::teste
