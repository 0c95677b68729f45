// The alarms' judgement against a clock of plain numbers: every kind raised and cleared, the
// hysteresis that keeps a hovering level from raising twice, a tank's own limits over the
// defaults, and readings that raise nothing (no limits, a value that is not a number).

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "gauge/alarms.h"
#include "gauge/tank_watch.h"

namespace qx7::teste {
namespace {

constexpr std::int64_t Minuto = 60 * 1000;
constexpr double Total = 1000;  // measured + complementary: the measured value is ten times %

enum class Entrada { Leitura, Silencio, Resposta, Relogio, Reconhecer };

struct Esperado {
    Evento_Alarme evento;
    Tipo_Alarme tipo;
    int tanque;
    bool operator==(const Esperado&) const = default;
};

struct Passo {
    Entrada entrada = Entrada::Leitura;
    std::int64_t minuto = 0;
    int tanque = 1;
    std::optional<double> medido{};  // for a reading; none: not a number
    double valor = 0;                // minutes owed, or the clock's drift in seconds
    std::vector<Esperado> esperados = {};
};

struct Cenario {
    const char* nome;
    Config_Alarmes config;
    std::vector<Passo> passos;
};

Config_Alarmes Com_Padrao(Limites_Nivel padrao) {
    Config_Alarmes config;
    config.padrao = padrao;
    return config;
}

Config_Alarmes Com_Queda(double volume, int minutos) {
    Config_Alarmes config;
    config.queda_volume = volume;
    config.queda_minutos = minutos;
    return config;
}

Config_Alarmes Tanque_3_Proprio() {
    Config_Alarmes config = Com_Padrao({.alto = 80, .baixo = 20});
    config.tanques[3] = {.alto = 90};
    return config;
}

constexpr auto Levantado = Evento_Alarme::Levantado;
constexpr auto Normalizado = Evento_Alarme::Normalizado;
constexpr auto Reconhecido = Evento_Alarme::Reconhecido;

const Cenario Cenarios[] = {
    {"MuitoAltoLevantaENormaliza",
     Com_Padrao({.muito_alto = 95}),
     {{.minuto = 0, .medido = 960, .esperados = {{Levantado, Tipo_Alarme::Muito_Alto, 1}}},
      {.minuto = 1, .medido = 945, .esperados = {}},
      {.minuto = 2, .medido = 940, .esperados = {{Normalizado, Tipo_Alarme::Muito_Alto, 1}}}}},
    {"AltoLevantaENormaliza",
     Com_Padrao({.alto = 80}),
     {{.minuto = 0, .medido = 810, .esperados = {{Levantado, Tipo_Alarme::Alto, 1}}},
      {.minuto = 1, .medido = 790, .esperados = {{Normalizado, Tipo_Alarme::Alto, 1}}}}},
    {"BaixoLevantaENormaliza",
     Com_Padrao({.baixo = 20}),
     {{.minuto = 0, .medido = 150, .esperados = {{Levantado, Tipo_Alarme::Baixo, 1}}},
      {.minuto = 1, .medido = 205, .esperados = {}},
      {.minuto = 2, .medido = 210, .esperados = {{Normalizado, Tipo_Alarme::Baixo, 1}}}}},
    {"MuitoBaixoLevantaENormaliza",
     Com_Padrao({.muito_baixo = 5}),
     {{.minuto = 0, .medido = 40, .esperados = {{Levantado, Tipo_Alarme::Muito_Baixo, 1}}},
      {.minuto = 1, .medido = 70, .esperados = {{Normalizado, Tipo_Alarme::Muito_Baixo, 1}}}}},
    {"AltoEMuitoAltoSaoDoisAlarmes",
     Com_Padrao({.muito_alto = 95, .alto = 80}),
     {{.minuto = 0,
       .medido = 970,
       .esperados = {{Levantado, Tipo_Alarme::Muito_Alto, 1}, {Levantado, Tipo_Alarme::Alto, 1}}},
      {.minuto = 1, .medido = 900, .esperados = {{Normalizado, Tipo_Alarme::Muito_Alto, 1}}}}},
    {"NivelOscilandoNoLimiteLevantaUmaVez",
     Com_Padrao({.alto = 80}),
     {{.minuto = 0, .medido = 796, .esperados = {}},
      {.minuto = 1, .medido = 805, .esperados = {{Levantado, Tipo_Alarme::Alto, 1}}},
      {.minuto = 2, .medido = 796, .esperados = {}},
      {.minuto = 3, .medido = 805, .esperados = {}}}},
    {"TanqueComLimitesPropriosSobreOsPadroes",
     Tanque_3_Proprio(),
     {{.minuto = 0, .tanque = 3, .medido = 850, .esperados = {}},
      {.minuto = 0, .tanque = 1, .medido = 850, .esperados = {{Levantado, Tipo_Alarme::Alto, 1}}},
      {.minuto = 1, .tanque = 3, .medido = 950, .esperados = {{Levantado, Tipo_Alarme::Alto, 3}}},
      // What the tank does not set comes from the defaults.
      {.minuto = 2,
       .tanque = 3,
       .medido = 150,
       .esperados = {{Normalizado, Tipo_Alarme::Alto, 3}, {Levantado, Tipo_Alarme::Baixo, 3}}}}},
    {"TanqueSemLimitesNaoLevantaNada",
     Config_Alarmes{},
     {{.minuto = 0, .medido = 1000, .esperados = {}}, {.minuto = 1, .medido = 0, .esperados = {}}}},
    {"ValorIlegivelNaoLevantaNemNormaliza",
     Com_Padrao({.alto = 80, .baixo = 20}),
     {{.minuto = 0, .medido = std::nullopt, .esperados = {}},
      {.minuto = 1, .medido = 900, .esperados = {{Levantado, Tipo_Alarme::Alto, 1}}},
      {.minuto = 2, .medido = std::nullopt, .esperados = {}}}},
    {"QuedaDentroDoTempoLevantaEForaDeleNormaliza",
     Com_Queda(100, 30),
     {{.minuto = 0, .medido = 800, .esperados = {}},
      {.minuto = 10, .medido = 750, .esperados = {}},
      {.minuto = 20, .medido = 690, .esperados = {{Levantado, Tipo_Alarme::Queda, 1}}},
      // The 800 of minute 0 left the 30 minutes: the fall since 750 is 60.
      {.minuto = 40, .medido = 690, .esperados = {{Normalizado, Tipo_Alarme::Queda, 1}}}}},
    {"QuedaLentaNaoLevanta",
     Com_Queda(100, 30),
     {{.minuto = 0, .medido = 800, .esperados = {}},
      {.minuto = 25, .medido = 750, .esperados = {}},
      {.minuto = 50, .medido = 700, .esperados = {}},
      {.minuto = 75, .medido = 650, .esperados = {}}}},
    {"SemRespostaLevantaNoTempoESoNormalizaComAResposta",
     Config_Alarmes{},
     {{.entrada = Entrada::Silencio, .minuto = 0, .valor = 59.9, .esperados = {}},
      {.entrada = Entrada::Silencio,
       .minuto = 1,
       .valor = 60.5,
       .esperados = {{Levantado, Tipo_Alarme::Sem_Resposta, Sem_Tanque}}},
      {.entrada = Entrada::Silencio, .minuto = 2, .valor = 90, .esperados = {}},
      // Reconnected, the count starts again: still no answer, so not cleared.
      {.entrada = Entrada::Silencio, .minuto = 3, .valor = 0.5, .esperados = {}},
      {.entrada = Entrada::Resposta,
       .minuto = 4,
       .esperados = {{Normalizado, Tipo_Alarme::Sem_Resposta, Sem_Tanque}}}}},
    {"RelogioAlemDeDoisMinutosLevantaEDeVoltaNormaliza",
     Config_Alarmes{},
     {{.entrada = Entrada::Relogio, .minuto = 0, .valor = 115, .esperados = {}},
      {.entrada = Entrada::Relogio,
       .minuto = 1,
       .valor = -200,
       .esperados = {{Levantado, Tipo_Alarme::Relogio, Sem_Tanque}}},
      {.entrada = Entrada::Relogio,
       .minuto = 2,
       .valor = 30,
       .esperados = {{Normalizado, Tipo_Alarme::Relogio, Sem_Tanque}}}}},
    {"ReconhecidoUmaVezSoEContinuaAtivo",
     Com_Padrao({.alto = 80}),
     {{.minuto = 0, .medido = 900, .esperados = {{Levantado, Tipo_Alarme::Alto, 1}}},
      {.entrada = Entrada::Reconhecer,
       .minuto = 1,
       .esperados = {{Reconhecido, Tipo_Alarme::Alto, 1}}},
      {.entrada = Entrada::Reconhecer, .minuto = 2, .esperados = {}},
      {.entrada = Entrada::Reconhecer, .minuto = 2, .tanque = 2, .esperados = {}},
      {.minuto = 3, .medido = 700, .esperados = {{Normalizado, Tipo_Alarme::Alto, 1}}}}},
};

class Avaliacao : public ::testing::TestWithParam<Cenario> {};

std::vector<Esperado> Executar(Avaliador_Alarmes& avaliador, Vigia_Tanques& vigia,
                               const Passo& passo) {
    const std::int64_t agora = passo.minuto * Minuto;
    std::vector<Mudanca_Alarme> mudancas;
    const auto juntar = [&](std::optional<Mudanca_Alarme> m) {
        if (m) {
            mudancas.push_back(*m);
        }
    };
    switch (passo.entrada) {
        case Entrada::Leitura: {
            const std::optional<double> complementar =
                passo.medido ? std::optional(Total - *passo.medido) : std::nullopt;
            mudancas = vigia.Leitura({passo.tanque, agora, passo.medido, complementar}).mudancas;
            break;
        }
        case Entrada::Silencio:
            juntar(avaliador.Sem_Resposta(agora, passo.valor, false));
            break;
        case Entrada::Resposta:
            juntar(avaliador.Sem_Resposta(agora, 0, true));
            break;
        case Entrada::Relogio:
            juntar(avaliador.Relogio(agora, passo.valor));
            break;
        case Entrada::Reconhecer:
            juntar(avaliador.Reconhecer(Tipo_Alarme::Alto, passo.tanque, agora, "operador"));
            break;
    }
    std::vector<Esperado> vistos;
    for (const Mudanca_Alarme& m : mudancas) {
        vistos.push_back({m.evento, m.alarme.tipo, m.alarme.tanque});
        EXPECT_EQ(m.instante_ms, agora);
    }
    return vistos;
}

TEST_P(Avaliacao, Passos) {
    Avaliador_Alarmes avaliador;
    avaliador.Definir_Config(GetParam().config);
    Vigia_Tanques vigia(avaliador);
    int passo = 0;
    for (const Passo& p : GetParam().passos) {
        EXPECT_EQ(Executar(avaliador, vigia, p), p.esperados) << "passo " << passo;
        ++passo;
    }
}

INSTANTIATE_TEST_SUITE_P(Alarmes, Avaliacao, ::testing::ValuesIn(Cenarios),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Alarmes, OcorrenciaGuardaQuemLevantouEQuemReconheceu) {
    Avaliador_Alarmes avaliador;
    avaliador.Definir_Config(Com_Padrao({.alto = 80}));
    Vigia_Tanques vigia(avaliador);
    ASSERT_EQ(vigia.Leitura({2, 5 * Minuto, 870, 130}).mudancas.size(), 1u);
    const auto reconhecido = avaliador.Reconhecer(Tipo_Alarme::Alto, 2, 7 * Minuto, "maria");
    ASSERT_TRUE(reconhecido);
    EXPECT_EQ(reconhecido->alarme, (Alarme{.tipo = Tipo_Alarme::Alto,
                                           .tanque = 2,
                                           .limite = 80,
                                           .valor = 87,
                                           .levantado_ms = 5 * Minuto,
                                           .reconhecido_ms = 7 * Minuto,
                                           .reconhecido_por = "maria"}));
    // Acknowledged, still active.
    EXPECT_EQ(avaliador.Ativos(), std::vector<Alarme>{reconhecido->alarme});
}

// The history's open alarms go on as the same occurrences: a level still high raises nothing
// new, one back inside clears the one raised before the restart.
TEST(Alarmes, RestauradosContinuamAMesmaOcorrencia) {
    Avaliador_Alarmes avaliador;
    avaliador.Definir_Config(Com_Padrao({.alto = 80, .baixo = 20}));
    const Alarme antigo{.tipo = Tipo_Alarme::Alto, .tanque = 1, .limite = 80, .valor = 85};
    avaliador.Restaurar({antigo, {.tipo = Tipo_Alarme::Baixo, .tanque = 2, .limite = 20}});
    Vigia_Tanques vigia(avaliador);
    EXPECT_TRUE(vigia.Leitura({1, Minuto, 900, 100}).mudancas.empty());
    const auto mudancas = vigia.Leitura({2, Minuto, 500, 500}).mudancas;
    ASSERT_EQ(mudancas.size(), 1u);
    EXPECT_EQ(mudancas[0].evento, Evento_Alarme::Normalizado);
    EXPECT_EQ(avaliador.Ativos(), std::vector<Alarme>{antigo});
}

TEST(Alarmes, LimiteRetiradoNormalizaNaProximaLeitura) {
    Avaliador_Alarmes avaliador;
    avaliador.Definir_Config(Com_Padrao({.alto = 80}));
    Vigia_Tanques vigia(avaliador);
    ASSERT_EQ(vigia.Leitura({1, 0, 900, 100}).mudancas.size(), 1u);
    avaliador.Definir_Config(Config_Alarmes{});
    const auto mudancas = vigia.Leitura({1, Minuto, 900, 100}).mudancas;
    ASSERT_EQ(mudancas.size(), 1u);
    EXPECT_EQ(mudancas[0].evento, Evento_Alarme::Normalizado);
    EXPECT_TRUE(avaliador.Ativos().empty());
}

}  // namespace
}  // namespace qx7::teste
