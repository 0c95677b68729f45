// The gauge's silence counted against a clock of plain numbers, ticked once a second.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "gauge/silence_watch.h"

namespace qx7::teste {
namespace {

constexpr std::int64_t Minuto = 60 * 1000;

struct Trecho {
    std::int64_t ate_minuto;  // ticks from the previous stretch's end up to here
    Estado_Silencio estado;
};

struct Cenario {
    const char* nome;
    std::vector<Trecho> trechos;
    std::optional<double> minutos;  // owed at the last tick; none: not judged
    bool respondeu;                 // an answer seen at some tick of the last stretch
};

constexpr Estado_Silencio Ocioso{.conectado = true, .esperando = false, .respostas = 0};
constexpr Estado_Silencio Esperando{.conectado = true, .esperando = true, .respostas = 0};
constexpr Estado_Silencio Respondido{.conectado = true, .esperando = false, .respostas = 4};

const Cenario Cenarios[] = {
    {"ConectadoSemPedirNadaNaoDeve", {{90, Ocioso}}, 0.0, false},
    {"PedidoSemRespostaContaDesdeOPedido",
     {{10, Ocioso}, {11, Esperando}, {70, Ocioso}},
     60.0,
     false},
    {"RespostaZeraAConta", {{30, Esperando}, {31, Respondido}}, 0.0, true},
    {"RespostaComNovoPedidoRecomecaDali",
     {{30, Esperando}, {40, {.conectado = true, .esperando = true, .respostas = 9}}},
     10.0,
     true},
    {"DesconectadoNaoEJulgado", {{30, Esperando}, {31, {.esperando = true}}}, std::nullopt, false},
    {"ReconectadoRecomecaAContaSemResposta",
     {{30, Esperando}, {31, {.esperando = true}}, {40, Esperando}},
     9.0,
     false},
};

class Silencio : public ::testing::TestWithParam<Cenario> {};

TEST_P(Silencio, MinutosDevidos) {
    Vigia_Silencio vigia;
    std::optional<Silencio_Medidor> ultimo;
    bool respondeu = false;
    std::int64_t agora = 0;
    for (const Trecho& trecho : GetParam().trechos) {
        respondeu = false;
        for (; agora <= trecho.ate_minuto * Minuto; agora += 1000) {
            ultimo = vigia.Tick(agora, trecho.estado);
            respondeu = respondeu || (ultimo && ultimo->respondeu);
        }
    }
    ASSERT_EQ(ultimo.has_value(), GetParam().minutos.has_value());
    if (ultimo) {
        EXPECT_NEAR(ultimo->minutos, *GetParam().minutos, 2.0 / 60);  // a tick or two apart
    }
    EXPECT_EQ(respondeu, GetParam().respondeu);
}

INSTANTIATE_TEST_SUITE_P(Alarmes, Silencio, ::testing::ValuesIn(Cenarios),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7::teste
