#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>

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

TEST(Esperar_Escoamento, SaidaQueNuncaEsvaziaVoltaNoLimite) {
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_FALSE(Esperar_Escoamento([] { return std::int64_t{12}; }, 60ms));
    const auto passou = std::chrono::steady_clock::now() - inicio;
    EXPECT_GE(passou, 60ms);
    EXPECT_LT(passou, 1s);  // generous: a loaded machine, but never without limit
}

}  // namespace
}  // namespace qx7
