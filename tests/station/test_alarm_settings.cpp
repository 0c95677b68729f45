// The alarms' settings as an integrator writes them in Preferencias.ini: the defaults and a
// tank's own limits, numbers with a point or a comma, keys refused with the reason (out of
// range, not a number, a tank that does not exist); the window's settings refused when out of
// range or when the levels are in the wrong order; what is written reads back the same.

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <fstream>

#include "station/alarm_settings.h"

namespace qx7::teste {
namespace {

class Preferencias_Alarmes : public ::testing::Test {
  protected:
    QSettings& Arquivo(const std::string& conteudo) {
        std::ofstream(caminho.toStdString(), std::ios::binary) << conteudo;
        preferencias.sync();
        return preferencias;
    }

    QTemporaryDir pasta;
    QString caminho = pasta.filePath(QStringLiteral("Preferencias.ini"));
    QSettings preferencias{caminho, QSettings::IniFormat};
};

TEST_F(Preferencias_Alarmes, PadroesETanquesProprios) {
    const Leitura_Config_Alarmes lida = Ler_Config_Alarmes(
        Arquivo("[Alarmes]\nAlto=80\nMuitoAlto=95.5\nBaixo=12,5\nMuitoBaixo=\"2,5\"\nHisterese=2\n"
                "Tanque3\\Alto=90\nTanque16\\MuitoBaixo=3\nQuedaVolume=200\nQuedaMinutos=30\n"
                "SemRespostaMinutos=15\nDescargaMinima=800\nPrevisaoDias=3\n"));
    EXPECT_TRUE(lida.recusas.isEmpty()) << lida.recusas.join('\n').toStdString();
    Config_Alarmes esperada;
    esperada.padrao = {.muito_alto = 95.5, .alto = 80, .baixo = 12.5, .muito_baixo = 2.5};
    esperada.tanques[3] = {.alto = 90};
    esperada.tanques[16] = {.muito_baixo = 3};
    esperada.histerese = 2;
    esperada.queda_volume = 200;
    esperada.queda_minutos = 30;
    esperada.sem_resposta_minutos = 15;
    esperada.descarga_minima = 800;
    esperada.previsao_dias = 3;
    EXPECT_EQ(lida.config, esperada);
}

struct Caso_Recusa {
    const char* nome;
    const char* linha;  // under [Alarmes]
    const char* motivo;
};

const Caso_Recusa Recusas[] = {
    {"NivelAcimaDeCem", "Alto=120", "Alto: 120 fora de 0 a 100"},
    {"NivelNegativoDeUmTanque", "Tanque2\\Baixo=-1", "Tanque2\\Baixo: -1 fora de 0 a 100"},
    {"TextoNaoENumero", "MuitoBaixo=pouco", "MuitoBaixo: «pouco» não é um número"},
    {"MinutosNaoInteiros", "QuedaMinutos=2.5", "QuedaMinutos: 2.5 não é um número inteiro"},
    {"HistereseGrandeDemais", "Histerese=15", "Histerese: 15 fora de 0 a 10"},
    {"DescargaMinimaZero", "DescargaMinima=0", "DescargaMinima: 0 fora de 1 a 10000000"},
    {"TanqueInexistente", "Tanque17\\Alto=80", "Tanque17: tanque fora de 1 a 16"},
};

class Recusa_Do_Arquivo : public Preferencias_Alarmes,
                          public ::testing::WithParamInterface<Caso_Recusa> {};

// The key refused keeps the program's default; the others still count.
TEST_P(Recusa_Do_Arquivo, ChaveIgnoradaComOMotivo) {
    const Leitura_Config_Alarmes lida = Ler_Config_Alarmes(
        Arquivo(std::string("[Alarmes]\nMuitoAlto=97\n") + GetParam().linha + "\n"));
    EXPECT_EQ(lida.recusas, QStringList{QString::fromUtf8(GetParam().motivo)});
    EXPECT_EQ(lida.config.padrao.muito_alto, 97);
    EXPECT_FALSE(lida.config.padrao.alto);
    EXPECT_EQ(lida.config.histerese, Config_Alarmes::Histerese_Padrao);
    EXPECT_EQ(lida.config.descarga_minima, Config_Alarmes::Descarga_Minima_Padrao);
}

INSTANTIATE_TEST_SUITE_P(Alarmes, Recusa_Do_Arquivo, ::testing::ValuesIn(Recusas),
                         [](const auto& info) { return std::string(info.param.nome); });

struct Caso_Motivo {
    const char* nome;
    Config_Alarmes config;
    const char* motivo;  // empty: kept
};

Config_Alarmes Com(void (*mudar)(Config_Alarmes&)) {
    Config_Alarmes config;
    mudar(config);
    return config;
}

const Caso_Motivo Motivos[] = {
    {"Valida", Com([](Config_Alarmes& c) { c.padrao = {.alto = 80, .baixo = 20}; }), ""},
    {"AltoForaDaFaixa", Com([](Config_Alarmes& c) { c.padrao.alto = 100.5; }),
     "Alto: 100.5 fora de 0 a 100"},
    {"BaixoAcimaDoAlto", Com([](Config_Alarmes& c) { c.padrao = {.alto = 30, .baixo = 40}; }),
     "Padrão: Baixo (40) deve ser menor que Alto (30)"},
    {"MuitoAltoIgualAoAlto",
     Com([](Config_Alarmes& c) { c.padrao = {.muito_alto = 90, .alto = 90}; }),
     "Padrão: Alto (90) deve ser menor que MuitoAlto (90)"},
    // The tank's own limit against the default it keeps.
    {"BaixoDoTanqueAcimaDoAltoPadrao", Com([](Config_Alarmes& c) {
         c.padrao.alto = 80;
         c.tanques[4] = {.baixo = 85};
     }),
     "Tanque 4: Baixo (85) deve ser menor que Alto (80)"},
    {"TanqueInexistente", Com([](Config_Alarmes& c) { c.tanques[0] = {.alto = 50}; }),
     "Tanque0: tanque fora de 1 a 16"},
    {"SemRespostaDeUmDiaEMeio", Com([](Config_Alarmes& c) { c.sem_resposta_minutos = 2160; }),
     "SemRespostaMinutos: 2160 fora de 0 a 1440"},
    {"PrevisaoNegativa", Com([](Config_Alarmes& c) { c.previsao_dias = -1; }),
     "PrevisaoDias: -1 fora de 0 a 60"},
};

class Motivo_Da_Janela : public ::testing::TestWithParam<Caso_Motivo> {};

TEST_P(Motivo_Da_Janela, RecusadaComOMotivo) {
    EXPECT_EQ(Motivo_Recusa(GetParam().config), QString::fromUtf8(GetParam().motivo));
}

INSTANTIATE_TEST_SUITE_P(Alarmes, Motivo_Da_Janela, ::testing::ValuesIn(Motivos),
                         [](const auto& info) { return std::string(info.param.nome); });

// What the window writes replaces the group and reads back the same; other groups stay.
TEST_F(Preferencias_Alarmes, GravadaLeSeIgual) {
    QSettings& p =
        Arquivo("[Historico]\nLeituraAutomaticaMinutos=5\n[Alarmes]\nTanque9\\Alto=70\n");
    Config_Alarmes config;
    config.padrao = {.alto = 85, .muito_baixo = 2.5};
    config.tanques[12] = {.muito_alto = 99, .baixo = 30};
    config.queda_volume = 150;
    config.queda_minutos = 45;
    ASSERT_TRUE(Gravar_Config_Alarmes(p, config));
    QSettings outra(caminho, QSettings::IniFormat);
    const Leitura_Config_Alarmes lida = Ler_Config_Alarmes(outra);
    EXPECT_EQ(lida.config, config);
    EXPECT_TRUE(lida.recusas.isEmpty());
    EXPECT_EQ(outra.value(QStringLiteral("Historico/LeituraAutomaticaMinutos")).toInt(), 5);
}

}  // namespace
}  // namespace qx7::teste
