// Timer1: clock labels, running light and the DSR watch.
#include <algorithm>
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

// One second of the line: DSR on or off at Timer1's tick, the port closed, or reopened.
enum class Passo_Linha { DSR_Ligado, DSR_Desligado, Porta_Some, Porta_Volta };

struct Caso_Linha {
    const char* nome;
    std::vector<Passo_Linha> passos;
    std::vector<Situacao_Linha> situacoes;  // after each step
    std::size_t avisos_sem_dsr;
};

class Vigia_Linha : public Bancada, public ::testing::WithParamInterface<Caso_Linha> {};

// DSR means "gauge off" only where it has been seen active since the port opened: a line on
// which it never was has no DSR wired, and the log says so once.
TEST_P(Vigia_Linha, SituacaoSegueAPortaEODSRVisto) {
    std::vector<Situacao_Linha> avisadas;
    enlace.Linha_Mudou = [&](Situacao_Linha s) { avisadas.push_back(s); };
    std::vector<Situacao_Linha> vistas;
    for (const Passo_Linha passo : GetParam().passos) {
        switch (passo) {
            case Passo_Linha::DSR_Ligado:
            case Passo_Linha::DSR_Desligado:
                porta.dsr = passo == Passo_Linha::DSR_Ligado;
                enlace.Timer1_Tick();
                break;
            case Passo_Linha::Porta_Some:
                porta.PortOpen(false);
                enlace.Porta_Perdida();
                break;
            case Passo_Linha::Porta_Volta:
                porta.PortOpen(true);
                enlace.Porta_Reaberta();
                break;
        }
        vistas.push_back(enlace.Situacao());
    }
    EXPECT_EQ(vistas, GetParam().situacoes);
    std::vector<Situacao_Linha> mudancas;
    Situacao_Linha anterior = Situacao_Linha::Pronta;
    for (const Situacao_Linha s : vistas) {
        if (s != anterior) {
            mudancas.push_back(s);
        }
        anterior = s;
    }
    EXPECT_EQ(avisadas, mudancas);
    const std::string aviso =
        cp1252("Status: Sinal DSR nunca ativo nesta porta: linha tratada como sem DSR!");
    EXPECT_EQ(
        static_cast<std::size_t>(std::count(registro.linhas.begin(), registro.linhas.end(), aviso)),
        GetParam().avisos_sem_dsr);
}

using L = Passo_Linha;
using S = Situacao_Linha;
INSTANTIATE_TEST_SUITE_P(
    Casos, Vigia_Linha,
    ::testing::Values(
        Caso_Linha{"SemDSRLigado", {L::DSR_Desligado, L::DSR_Desligado}, {S::Pronta, S::Pronta}, 1},
        Caso_Linha{"DSRCaiEVolta",
                   {L::DSR_Ligado, L::DSR_Desligado, L::DSR_Ligado},
                   {S::Pronta, S::Medidor_Desligado, S::Pronta},
                   0},
        Caso_Linha{"DSRApareceDepoisCai",
                   {L::DSR_Desligado, L::DSR_Ligado, L::DSR_Desligado},
                   {S::Pronta, S::Pronta, S::Medidor_Desligado},
                   1},
        Caso_Linha{"PortaSomeEVolta",
                   {L::DSR_Ligado, L::Porta_Some, L::DSR_Ligado, L::Porta_Volta},
                   {S::Pronta, S::Porta_Fechada, S::Porta_Fechada, S::Pronta},
                   0},
        Caso_Linha{"ReaberturaEsqueceODSRVisto",
                   {L::DSR_Ligado, L::Porta_Some, L::DSR_Desligado, L::Porta_Volta},
                   {S::Pronta, S::Porta_Fechada, S::Porta_Fechada, S::Pronta},
                   1}),
    [](const auto& info) { return std::string(info.param.nome); });

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
