// An inventory run that stops answering is given up after a minute of silence, against a clock
// of plain numbers ticked once a second: the flag drops, the log is told how far it got, and
// answers that come later neither complete it nor open its screen.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/gauge/bench.h"

namespace qx7::teste {
namespace {

constexpr std::int64_t S = 1000;  // a second

// Ticks once a second up to `ate_ms`, then the answer of `tanque` (none: ticks only).
struct Passo {
    std::int64_t ate_ms;
    std::optional<int> tanque = std::nullopt;
};

struct Cenario {
    const char* nome;
    bool inventario;  // "Efetuar Inventário" at 0; otherwise "Ler Todos os Tanques"
    std::vector<Passo> passos;
    std::optional<std::int64_t> interrompido_ms;  // the tick that gives the run up
    std::string ultimo_tanque;                    // as the interruption reports it
    bool tela;                                    // the inventory screen opened
};

const Cenario Cenarios[] = {
    // Given up at the first tick after its last answer plus a minute; the rest come too late.
    {"CortadoNoTanque3De6",
     true,
     {{S, 1}, {2 * S, 2}, {3 * S, 3}, {64 * S, 4}, {65 * S, 5}, {66 * S, 6}},
     64 * S,
     "03",
     false},
    {"SemNenhumaResposta", true, {{90 * S}}, 60 * S, "", false},
    {"RespostasA59sUmaDaOutraCompletam",
     true,
     {{59 * S, 1}, {118 * S, 2}, {177 * S, 3}, {236 * S, 4}, {295 * S, 5}, {354 * S, 6}, {500 * S}},
     std::nullopt,
     "",
     true},
    {"LeituraForaDeInventarioNuncaEInterrompida",
     false,
     {{S, 1}, {2 * S, 2}, {300 * S}},
     std::nullopt,
     "",
     false},
};

std::string Inventario(int tanque) {
    Leitura l;
    l.codigo = "MA";
    l.tanque = " 0" + std::to_string(tanque);
    return Resposta_Medicao(l);
}

class Vigia : public Bancada, public ::testing::WithParamInterface<Cenario> {};

TEST_P(Vigia, InventarioSilenciosoEAbandonado) {
    const Cenario& c = GetParam();
    painel.textos[Controle::CF_NumTanques] = "06";
    c.inventario ? medidor.IV_Cmd_Click() : medidor.MA_Cmd_Click();
    std::optional<std::int64_t> interrompido_ms;
    std::string ultimo = "nenhum";
    std::int64_t agora = 0;
    for (const Passo& p : c.passos) {
        for (; agora <= p.ate_ms; agora += S) {
            if (const auto fim = medidor.Vigiar_Inventario(agora)) {
                EXPECT_FALSE(interrompido_ms) << "interrompido duas vezes";
                EXPECT_FALSE(variaveis.Modo_Inventario);
                EXPECT_EQ(fim->num_tanques, "06");
                interrompido_ms = agora;
                ultimo = fim->ultimo_tanque;
            }
        }
        if (p.tanque) {
            Receber(Inventario(*p.tanque));
        }
    }
    EXPECT_EQ(interrompido_ms, c.interrompido_ms);
    if (c.interrompido_ms) {
        EXPECT_EQ(ultimo, c.ultimo_tanque);
    }
    EXPECT_EQ(telas.abertas,
              c.tela ? std::vector<std::string>{"Inventario"} : std::vector<std::string>{});
    EXPECT_FALSE(variaveis.Modo_Inventario);
}

INSTANTIATE_TEST_SUITE_P(Casos, Vigia, ::testing::ValuesIn(Cenarios),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7::teste
