// The automatic reading against a clock of plain numbers, ticked once a second.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "gauge/automatic_reading.h"

namespace qx7::teste {
namespace {

constexpr std::int64_t Segundo = 1000;
constexpr std::int64_t Minuto = 60 * Segundo;
constexpr Estado_Linha Livre{.conectada = true, .ociosa = true};
constexpr Estado_Linha Ocupada{.conectada = true, .ociosa = false};
constexpr Estado_Linha Desconectada{.conectada = false, .ociosa = true};
constexpr Estado_Linha Em_Inventario{.conectada = true, .ociosa = true, .inventario = true};

// An interval set (if any), then one tick a second from `de` up to `ate` inclusive.
struct Trecho {
    std::optional<int> definir = std::nullopt;
    bool aceito = true;
    std::int64_t de = 0;
    std::int64_t ate = 0;
    Estado_Linha estado = Livre;
};

struct Cenario {
    const char* nome;
    std::vector<Trecho> trechos;
    std::vector<std::int64_t> leituras;  // the clock at every reading
};

const Cenario Cenarios[] = {
    {"DesligadaPorOmissao", {{.de = 0, .ate = 24 * 60 * Minuto}}, {}},
    {"LigadaComALinhaJaConectadaLeUmIntervaloDepois",
     {{.de = 0, .ate = 10 * Minuto},
      {.definir = 1, .de = 10 * Minuto + Segundo, .ate = 12 * Minuto}},
     {11 * Minuto + Segundo}},
    {"DesligadaDeNovoParaDeLer",
     {{.definir = 1, .de = 0, .ate = 90 * Segundo},
      {.definir = 0, .de = 91 * Segundo, .ate = 10 * Minuto}},
     {Minuto}},
    {"UmPorMinuto",
     {{.definir = 1, .ate = 3 * Minuto + 30 * Segundo}},
     {Minuto, 2 * Minuto, 3 * Minuto}},
    {"UmACadaSete",
     {{.definir = 7, .ate = 21 * Minuto + 30 * Segundo}},
     {7 * Minuto, 14 * Minuto, 21 * Minuto}},
    {"UmPorDia",
     {{.definir = 1440, .ate = 3 * 1440 * Minuto + 30 * Segundo}},
     {1440 * Minuto, 2 * 1440 * Minuto, 3 * 1440 * Minuto}},
    {"NaoLeDesconectadaEContaDesdeAConexao",
     {{.definir = 1, .de = 0, .ate = 5 * Minuto, .estado = Desconectada},
      {.de = 5 * Minuto + Segundo, .ate = 7 * Minuto}},
     {6 * Minuto + Segundo}},
    {"OcupadaEsperaOPrimeiroTickOciosoDepoisContaDali",
     {{.definir = 1, .de = 0, .ate = 50 * Segundo},
      {.de = 51 * Segundo, .ate = 75 * Segundo, .estado = Ocupada},
      {.de = 76 * Segundo, .ate = 3 * Minuto}},
     {76 * Segundo, 136 * Segundo}},
    {"InventarioEmCursoEsperaOFimDaCorrida",
     {{.definir = 1, .de = 0, .ate = 50 * Segundo},
      {.de = 51 * Segundo, .ate = 150 * Segundo, .estado = Em_Inventario},
      {.de = 151 * Segundo, .ate = 4 * Minuto}},
     {151 * Segundo, 211 * Segundo}},
    // The count starts again at the next tick, not from the enabling four minutes back.
    {"MudarOIntervaloRecomecaAContagem",
     {{.definir = 5, .de = 0, .ate = 4 * Minuto},
      {.definir = 2, .de = 4 * Minuto + Segundo, .ate = 9 * Minuto}},
     {6 * Minuto + Segundo, 8 * Minuto + Segundo}},
    {"OMesmoIntervaloDeNovoNaoRecomeca",
     {{.definir = 2, .de = 0, .ate = 90 * Segundo},
      {.definir = 2, .de = 91 * Segundo, .ate = 3 * Minuto}},
     {2 * Minuto}},
    {"IntervaloRecusadoNaoMexeNaContagem",
     {{.definir = 1, .de = 0, .ate = 30 * Segundo},
      {.definir = 1441, .aceito = false, .de = 31 * Segundo, .ate = 90 * Segundo}},
     {Minuto}},
    {"RelogioQueVoltaAtrasRecomecaAContagem",
     {{.definir = 1, .de = 10 * Minuto, .ate = 10 * Minuto + 30 * Segundo},
      {.de = 0, .ate = 2 * Minuto + 30 * Segundo}},
     {Minuto, 2 * Minuto}},
    {"RelogioQueSaltaParaFrenteLeSoUmaVez",
     {{.definir = 1, .de = 0, .ate = 30 * Segundo},
      {.de = 60 * Minuto, .ate = 61 * Minuto + 30 * Segundo}},
     {60 * Minuto, 61 * Minuto}},
};

TEST(Leitura_Automatica, LeNosMomentosCertos) {
    for (const Cenario& c : Cenarios) {
        SCOPED_TRACE(c.nome);
        std::int64_t agora = 0;
        std::vector<std::int64_t> leituras;
        Leitura_Automatica leitura{[&] { leituras.push_back(agora); }};
        EXPECT_EQ(leitura.Intervalo(), 0);
        for (const Trecho& t : c.trechos) {
            if (t.definir) {
                EXPECT_EQ(leitura.Definir_Intervalo(*t.definir), t.aceito);
            }
            for (agora = t.de; agora <= t.ate; agora += Segundo) {
                leitura.Tick(agora, t.estado);
            }
        }
        EXPECT_EQ(leituras, c.leituras);
    }
}

TEST(Leitura_Automatica, AceitaDeZeroAUmDiaERecusaOResto) {
    const struct {
        int minutos;
        bool aceito;
    } casos[] = {{0, true}, {1, true}, {1440, true}, {-1, false}, {1441, false}, {-100000, false}};
    for (const auto& [minutos, aceito] : casos) {
        SCOPED_TRACE(minutos);
        Leitura_Automatica leitura{[] {}};
        ASSERT_TRUE(leitura.Definir_Intervalo(30));
        EXPECT_EQ(leitura.Definir_Intervalo(minutos), aceito);
        EXPECT_EQ(leitura.Intervalo(), aceito ? minutos : 30);
    }
}

}  // namespace
}  // namespace qx7::teste
