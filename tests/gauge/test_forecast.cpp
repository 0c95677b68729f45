// Deliveries and the forecast on synthetic series: a delivery in one reading and one spread over
// several, small rises that are none; the consumption rate of a noisy straight line within 1 %,
// with and without a delivery in the middle; the instants of "Baixo" and empty; the "Previsão"
// alarm when "Baixo" is near.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "gauge/deliveries.h"
#include "gauge/forecast.h"
#include "gauge/tank_watch.h"

namespace qx7::teste {
namespace {

constexpr std::int64_t Minuto = 60 * 1000;
constexpr std::int64_t Hora = 60 * Minuto;
constexpr double Minima = 500;

struct Caso_Descarga {
    const char* nome;
    std::vector<double> medidos;  // one reading every 10 minutes
    // The readings that end a delivery (index), and what they tell.
    std::vector<std::pair<std::size_t, Descarga>> descargas;
};

constexpr std::int64_t T(std::size_t i) {
    return static_cast<std::int64_t>(i) * 10 * Minuto;
}

const Caso_Descarga Casos_Descarga[] = {
    {"NumaLeitura", {5000, 4990, 4980, 9980, 9970}, {{4, {T(2), T(3), 4980, 9980}}}},
    {"EmTresLeituras", {5000, 4990, 6990, 8990, 10990, 10980}, {{5, {T(1), T(4), 4990, 10990}}}},
    {"SubidasPequenasQueSomamMaisQueAMinima",
     {5000, 5200, 5400, 5600, 5590},
     {{4, {T(0), T(3), 5000, 5600}}}},
    {"SubidaAbaixoDaMinimaNaoEDescarga", {5000, 5200, 5400, 5390, 5380}, {}},
    {"RuidoNaoEDescarga", {5000, 5002, 4999, 5001, 4998, 5003, 5000}, {}},
    {"DuasDescargas",
     {3000, 2990, 8000, 7990, 7980, 12000, 11990},
     {{3, {T(1), T(2), 2990, 8000}}, {6, {T(4), T(5), 7980, 12000}}}},
};

class Descargas : public ::testing::TestWithParam<Caso_Descarga> {};

TEST_P(Descargas, ContadasQuandoASubidaTermina) {
    Detector_Descargas detector;
    std::vector<std::pair<std::size_t, Descarga>> vistas;
    const auto& medidos = GetParam().medidos;
    for (std::size_t i = 0; i < medidos.size(); ++i) {
        if (const auto d = detector.Leitura({T(i), medidos[i]}, Minima)) {
            vistas.emplace_back(i, *d);
        }
    }
    EXPECT_EQ(vistas, GetParam().descargas);
}

INSTANTIATE_TEST_SUITE_P(Previsao, Descargas, ::testing::ValuesIn(Casos_Descarga),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Previsao, SubidaEmCursoJaMaiorQueAMinima) {
    Detector_Descargas detector;
    detector.Leitura({0, 1000}, Minima);
    detector.Leitura({T(1), 1300}, Minima);
    EXPECT_FALSE(detector.Em_Curso(Minima));
    detector.Leitura({T(2), 1800}, Minima);
    EXPECT_EQ(detector.Em_Curso(Minima), (Descarga{0, T(2), 1000, 1800}));
}

// A straight line falling 1,500 a day, read every 10 minutes for 7 days, with the gauge's
// noise of up to ±25 on top; optionally a delivery of 9,000 spread over six readings.
struct Serie_Sintetica {
    static constexpr double Consumo_Dia = 1500;
    std::vector<Ponto_Nivel> pontos;

    explicit Serie_Sintetica(bool com_descarga) {
        std::uint32_t semente = 12345;
        double acrescimo = 0;
        for (std::int64_t t = 0; t <= 7 * 24 * Hora; t += 10 * Minuto) {
            semente = semente * 1664525u + 1013904223u;  // a fixed pseudo-random sequence
            const double ruido = static_cast<double>(semente >> 8) / (1u << 24) * 50.0 - 25.0;
            if (com_descarga && t > 3 * 24 * Hora && acrescimo < 9000) {
                acrescimo += 1500;
            }
            pontos.push_back(
                {t, 20000 - Consumo_Dia * static_cast<double>(t) / Um_Dia_ms + acrescimo + ruido});
        }
    }
};

TEST(Previsao, RetaComRuidoDentroDeUmPorCento) {
    const Serie_Sintetica serie(false);
    const std::optional<double> taxa = Taxa_Consumo(serie.pontos, {});
    ASSERT_TRUE(taxa);
    EXPECT_NEAR(*taxa, Serie_Sintetica::Consumo_Dia, Serie_Sintetica::Consumo_Dia / 100);
}

// The readings go through the tank's watch, which finds the delivery itself and leaves it out.
TEST(Previsao, DescargaForaDaInclinacao) {
    const Serie_Sintetica serie(true);
    ASSERT_LT(Taxa_Consumo(serie.pontos, {}).value_or(0), 0);  // a delivery counted rises
    Avaliador_Alarmes avaliador;
    Vigia_Tanques vigia(avaliador);
    int descargas = 0;
    for (const Ponto_Nivel& p : serie.pontos) {
        descargas += vigia.Leitura({1, p.instante_ms, p.medido, 30000 - p.medido}).descarga ? 1 : 0;
    }
    EXPECT_EQ(descargas, 1);
    const std::optional<double> taxa = vigia.Previsao(1).consumo_dia;
    ASSERT_TRUE(taxa);
    EXPECT_NEAR(*taxa, Serie_Sintetica::Consumo_Dia, Serie_Sintetica::Consumo_Dia / 100);
}

TEST(Previsao, PoucasLeiturasNaoDaoTaxa) {
    const std::vector<Ponto_Nivel> duas = {{0, 1000}, {Hora, 900}};
    EXPECT_FALSE(Taxa_Consumo(duas, {}));
    const std::vector<Ponto_Nivel> num_minuto = {{0, 1000}, {20000, 990}, {40000, 980}};
    EXPECT_FALSE(Taxa_Consumo(num_minuto, {}));
}

struct Caso_Prever {
    const char* nome;
    double medido;
    std::optional<double> consumo;
    std::optional<double> volume_baixo;
    Previsao_Tanque esperada;
};

constexpr std::int64_t Agora = 1000 * Um_Dia_ms;

const Caso_Prever Casos_Prever[] = {
    {"BaixoEVazio", 5000, 1000, 2000, {1000, Agora + 3 * Um_Dia_ms, Agora + 5 * Um_Dia_ms}},
    {"JaAbaixoDoBaixoChegaJa", 1500, 1000, 2000, {1000, Agora, Agora + Um_Dia_ms + Um_Dia_ms / 2}},
    {"SemLimiteBaixoSoOVazio",
     5000,
     1000,
     std::nullopt,
     {1000, std::nullopt, Agora + 5 * Um_Dia_ms}},
    {"SubindoNaoTemPrevisao", 5000, -200, 2000, {-200, std::nullopt, std::nullopt}},
    {"SemTaxaNaoTemPrevisao", 5000, std::nullopt, 2000, {}},
    {"ConsumoInfimoAlemDoHorizonte", 5000, 1e-6, 2000, {1e-6, std::nullopt, std::nullopt}},
};

class Prever_Tanque : public ::testing::TestWithParam<Caso_Prever> {};

TEST_P(Prever_Tanque, Instantes) {
    const Caso_Prever& c = GetParam();
    EXPECT_EQ(Prever({Agora, c.medido}, c.consumo, c.volume_baixo), c.esperada);
}

INSTANTIATE_TEST_SUITE_P(Previsao, Prever_Tanque, ::testing::ValuesIn(Casos_Prever),
                         [](const auto& info) { return std::string(info.param.nome); });

// Falling 1,000 a day in a tank of 10,000 whose "Baixo" is 20 %: raised once "Baixo" is less
// than two days away (just below 4,000), cleared once a delivery puts it far away again.
TEST(Previsao, AlarmeQuandoOBaixoEstaPerto) {
    Avaliador_Alarmes avaliador;
    Config_Alarmes config;
    config.padrao.baixo = 20;
    avaliador.Definir_Config(config);
    Vigia_Tanques vigia(avaliador);
    std::optional<double> levantado_em;
    double medido = 0;
    std::int64_t t = 0;
    for (; t <= 4 * 24 * Hora + 4 * Hora; t += Hora) {
        medido = 8000 - 1000.0 * static_cast<double>(t) / Um_Dia_ms;
        for (const Mudanca_Alarme& m : vigia.Leitura({1, t, medido, 10000 - medido}).mudancas) {
            if (m.alarme.tipo == Tipo_Alarme::Previsao && m.evento == Evento_Alarme::Levantado) {
                ASSERT_FALSE(levantado_em) << "levantado duas vezes";
                levantado_em = medido;
            }
        }
    }
    ASSERT_TRUE(levantado_em);
    EXPECT_NEAR(*levantado_em, 4000, 50);
    std::vector<Evento_Alarme> depois;
    for (int i = 1; i <= 3; ++i, t += Hora) {
        medido += 1500;
        for (const Mudanca_Alarme& m : vigia.Leitura({1, t, medido, 10000 - medido}).mudancas) {
            depois.push_back(m.evento);
        }
    }
    EXPECT_EQ(depois, std::vector<Evento_Alarme>{Evento_Alarme::Normalizado});
}

}  // namespace
}  // namespace qx7::teste
