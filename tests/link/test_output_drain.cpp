#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/output_drain.h"

namespace qx7 {
namespace {

using namespace std::chrono_literals;

struct Caso_Escoamento {
    const char* settings;
    std::int64_t bytes;
    long ms;  // line time of the bytes and of a full UART buffer (16), plus 20
};

class Limite_De_Escoamento : public ::testing::TestWithParam<Caso_Escoamento> {};

TEST_P(Limite_De_Escoamento, TempoDaLinhaMaisMargem) {
    const Caso_Escoamento& c = GetParam();
    const std::optional<Parametros_Serial> p = Interpretar_Settings(c.settings);
    ASSERT_TRUE(p);
    EXPECT_EQ(Limite_Escoamento(c.bytes, *p).count(), c.ms);
}

INSTANTIATE_TEST_SUITE_P(Casos, Limite_De_Escoamento,
                         ::testing::Values(Caso_Escoamento{"9600,N,8,1", 0, 37},
                                           Caso_Escoamento{"9600,N,8,1", 960, 1037},
                                           Caso_Escoamento{"1200,E,7,2", 100, 1084},
                                           Caso_Escoamento{"9600,N,8,1.5", 0, 38}));

struct Caso_Espera {
    const char* nome;
    std::vector<std::int64_t> relatos;  // what the kernel reports at each look, the last repeated
    int cancelar_no_sono;               // the sleep at which the port closes; 0: never
    Fim_Escoamento fim;
    long ms_apos_nao_antes;  // where the clock stands when the wait ends
};

class Espera_Escoamento : public ::testing::TestWithParam<Caso_Espera> {};

// On a clock of the test's own: the wait never ends before `nao_antes`, whatever the kernel
// says, and the kernel's reports lengthen it only up to the limit for what they reported.
TEST_P(Espera_Escoamento, NuncaAntesDoTempoDaLinha) {
    const Caso_Espera& c = GetParam();
    const Relogio_Linha::time_point nao_antes = Relogio_Linha::time_point{} + 100ms;
    Relogio_Linha::time_point agora{};
    int sonos = 0;
    std::size_t olhadas = 0;
    const Ambiente_Escoamento ambiente{
        .agora = [&] { return agora; },
        .dormir_ate =
            [&](Relogio_Linha::time_point ate) {
                if (++sonos == c.cancelar_no_sono) {
                    return false;
                }
                agora = std::max(agora, ate);
                return true;
            },
        .pendentes = [&] { return c.relatos[std::min(olhadas++, c.relatos.size() - 1)]; },
    };
    EXPECT_EQ(Esperar_Escoamento(ambiente, nao_antes, Parametros_Serial{}), c.fim);
    EXPECT_EQ(std::chrono::duration_cast<std::chrono::milliseconds>(agora - nao_antes).count(),
              c.ms_apos_nao_antes);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Espera_Escoamento,
    ::testing::Values(Caso_Espera{"vazio_de_imediato", {0}, 0, Fim_Escoamento::Escoou, 0},
                      Caso_Espera{"vazio_na_quarta", {3, 2, 1, 0}, 0, Fim_Escoamento::Escoou, 3},
                      // 1 byte reported: (1 + 16) characters of 1.04 ms, plus 20 ms
                      Caso_Espera{"nunca_vazio", {1}, 0, Fim_Escoamento::Limite, 38},
                      Caso_Espera{"fechada_antes", {0}, 1, Fim_Escoamento::Cancelado, -100},
                      Caso_Espera{"fechada_depois", {5}, 3, Fim_Escoamento::Cancelado, 1}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7
