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
    std::optional<double> minutos;  // owed at the last tick
};

constexpr Estado_Silencio Ocioso{.conectado = true, .esperando = false, .respostas = 0};
constexpr Estado_Silencio Esperando{.conectado = true, .esperando = true, .respostas = 0};

const Cenario Cenarios[] = {
    {"ConectadoSemPedirNadaNaoDeve", {{90, Ocioso}}, 0.0},
    {"PedidoSemRespostaContaDesdeOPedido", {{10, Ocioso}, {11, Esperando}, {70, Ocioso}}, 60.0},
    {"RespostaZeraAConta",
     {{30, Esperando}, {31, {.conectado = true, .esperando = false, .respostas = 4}}},
     0.0},
    {"RespostaComNovoPedidoRecomecaDali",
     {{30, Esperando}, {40, {.conectado = true, .esperando = true, .respostas = 9}}},
     10.0},
    {"DesconectadoNaoEJulgado", {{30, Esperando}, {31, {.esperando = true}}}, std::nullopt},
    {"ReconectadoRecomecaAConta",
     {{30, Esperando}, {31, {.esperando = true}}, {40, Esperando}},
     9.0},
};

class Silencio : public ::testing::TestWithParam<Cenario> {};

TEST_P(Silencio, MinutosDevidos) {
    Vigia_Silencio vigia;
    std::optional<double> devido;
    std::int64_t agora = 0;
    for (const Trecho& trecho : GetParam().trechos) {
        for (; agora <= trecho.ate_minuto * Minuto; agora += 1000) {
            devido = vigia.Tick(agora, trecho.estado);
        }
    }
    ASSERT_EQ(devido.has_value(), GetParam().minutos.has_value());
    if (devido) {
        EXPECT_NEAR(*devido, *GetParam().minutos, 2.0 / 60);  // a tick or two apart
    }
}

INSTANTIATE_TEST_SUITE_P(Alarmes, Silencio, ::testing::ValuesIn(Cenarios),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7::teste
