// Alarms and deliveries through the writer into the file: the gauge's own alarms with no tank,
// a raise written twice kept once, a clear whose raise never reached the file, the deliveries
// with their unit, and the queries that read them back (the open ones for the program's
// restart, the log newest first, the readings the forecast is drawn from). A file from before
// the alarms reads as having none.

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QTemporaryDir>

#include "history/alarm_queries.h"
#include "history/connection.h"
#include "history/schema.h"
#include "history/writer.h"
#include "tests/history/history_reader.h"
#include "tests/support/history/history_fixture.h"

namespace qx7::teste {
namespace {

constexpr qint64 Minuto = 60'000;
constexpr qint64 Inicio = 1'796'000'000'000;

Unidade_Alarme Mudanca(Evento_Alarme evento, Alarme alarme, qint64 instante_ms) {
    return {{evento, std::move(alarme), instante_ms, 0}};
}

const Alarme Alto_Tanque_3{
    .tipo = Tipo_Alarme::Alto, .tanque = 3, .limite = 80, .valor = 85.5, .levantado_ms = Inicio};
const Alarme Silencio{.tipo = Tipo_Alarme::Sem_Resposta,
                      .tanque = Sem_Tanque,
                      .limite = 60,
                      .valor = 61,
                      .levantado_ms = Inicio + Minuto};

class Alarmes_No_Arquivo : public ::testing::Test {
  protected:
    void Gravar(std::initializer_list<Unidade_Historico> unidades) {
        Gravador_Historico gravador({.arquivo = arquivo});
        for (const Unidade_Historico& u : unidades) {
            gravador.Enfileirar(u);
        }
        gravador.Encerrar();
        ASSERT_EQ(gravador.Gravados(), unidades.size());
    }

    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
};

TEST_F(Alarmes_No_Arquivo, AlarmeDoMedidorSemTanqueERepetidoNaoDuplica) {
    Gravar({Mudanca(Evento_Alarme::Levantado, Silencio, Silencio.levantado_ms),
            Mudanca(Evento_Alarme::Levantado, Silencio, Silencio.levantado_ms)});
    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT tanque IS NULL, tipo FROM alarmes")),
              (std::vector<QVariantList>{{1, QStringLiteral("Medidor sem resposta")}}));
    EXPECT_EQ(Valor(arquivo, QStringLiteral("SELECT count(*) FROM eventos_alarme")).toInt(), 1);
}

// The raise was dropped (a full queue, a file started anew): the clear brings the occurrence.
TEST_F(Alarmes_No_Arquivo, NormalizacaoSemOLevantamentoCriaAOcorrencia) {
    Gravar({Mudanca(Evento_Alarme::Normalizado, Alto_Tanque_3, Inicio + Minuto)});
    EXPECT_EQ(
        Consultar(arquivo, QStringLiteral("SELECT levantado_ms, normalizado_ms FROM alarmes")),
        (std::vector<QVariantList>{{Inicio, Inicio + Minuto}}));
    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT evento FROM eventos_alarme")),
              (std::vector<QVariantList>{{QStringLiteral("normalizado")}}));
}

TEST_F(Alarmes_No_Arquivo, AbertosParaORecomecoERegistroDoMaisNovo) {
    Gravar({Mudanca(Evento_Alarme::Levantado, Alto_Tanque_3, Inicio),
            Mudanca(Evento_Alarme::Levantado, Silencio, Silencio.levantado_ms),
            Mudanca(Evento_Alarme::Normalizado, Silencio, Inicio + 3 * Minuto)});
    Conexao_Historico conexao(arquivo, Modo_Conexao::Leitura);
    ASSERT_TRUE(conexao.Aberta());
    EXPECT_EQ(Alarmes_Abertos(conexao.Banco()), std::vector<Alarme>{Alto_Tanque_3});
    const std::vector<Alarme_Historico> registro = Listar_Alarmes(conexao.Banco());
    ASSERT_EQ(registro.size(), 2u);
    EXPECT_EQ(registro[0].alarme, Silencio);
    EXPECT_EQ(registro[0].normalizado_ms, Inicio + 3 * Minuto);
    EXPECT_EQ(registro[1].alarme, Alto_Tanque_3);
    EXPECT_FALSE(registro[1].normalizado_ms);
    EXPECT_EQ(Listar_Alarmes(conexao.Banco(), 1).size(), 1u);
}

TEST_F(Alarmes_No_Arquivo, DescargasComSuaUnidade) {
    Gravar({Unidade_Descarga{2, {Inicio, Inicio + 30 * Minuto, 4000, 19000}, false},
            Unidade_Descarga{5, {Inicio + Minuto, Inicio + 2 * Minuto, 100, 900}, true}});
    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT tanque, quantidade, unidade FROM descargas"
                                                " ORDER BY id")),
              (std::vector<QVariantList>{{2, 15000.0, QStringLiteral("V")},
                                         {5, 800.0, QStringLiteral("P")}}));
    Conexao_Historico conexao(arquivo, Modo_Conexao::Leitura);
    const std::vector<Descarga_Historico> descargas = Listar_Descargas(conexao.Banco());
    ASSERT_EQ(descargas.size(), 2u);
    EXPECT_EQ(descargas[0].tanque, 5);  // newest first
    EXPECT_EQ(descargas[1].descarga, (Descarga{Inicio, Inicio + 30 * Minuto, 4000, 19000}));
}

TEST(Alarmes_Consultas, LeiturasDaJanelaEmOrdemComValoresIlegiveis) {
    Historico_Teste historico;
    historico.Inserir_Leitura({.instante_ms = 3000, .tanque = 2, .medido = 50});
    historico.Inserir_Leitura({.instante_ms = 1000, .tanque = 1, .medido = std::nullopt});
    historico.Inserir_Leitura({.instante_ms = 2000, .tanque = 1, .medido = 70});
    historico.Inserir_Leitura({.instante_ms = 9000, .tanque = 1, .medido = 10});
    const std::vector<Leitura_Valores> leituras =
        Leituras_Para_Previsao(historico.Banco(), 1000, 3000);
    ASSERT_EQ(leituras.size(), 3u);
    EXPECT_EQ(leituras[0].instante_ms, 1000);
    EXPECT_FALSE(leituras[0].medido);
    EXPECT_EQ(leituras[1].medido, 70);
    EXPECT_EQ(leituras[2].tanque, 2);
    EXPECT_EQ(leituras[2].complementar, 3000);
    EXPECT_EQ(Ultima_Leitura_ms(historico.Banco()), 9000);
}

TEST(Alarmes_Consultas, ArquivoAnteriorAosAlarmesNaoTemNenhum) {
    QTemporaryDir pasta;
    Conexao_Historico conexao(pasta.filePath(QStringLiteral("Historico.sqlite")),
                              Modo_Conexao::Escrita);
    QString erro;
    ASSERT_TRUE(Migrar_Esquema(conexao.Banco(), erro, 4)) << erro.toStdString();
    EXPECT_TRUE(Listar_Alarmes(conexao.Banco()).empty());
    EXPECT_TRUE(Alarmes_Abertos(conexao.Banco()).empty());
    EXPECT_TRUE(Listar_Descargas(conexao.Banco()).empty());
    EXPECT_FALSE(Ultima_Leitura_ms(conexao.Banco()));
}

}  // namespace
}  // namespace qx7::teste
