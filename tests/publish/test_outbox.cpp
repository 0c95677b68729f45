// The history as the outbox, over a real SQLite file: each stream's rows after an id, in
// order, as the messages the broker gets; the cursors kept in the file; the tables of alarms
// and deliveries published when the file has them and empty when it has not; a file that is
// not there, or not laid out yet, left alone.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "history/schema.h"
#include "publish/outbox_file.h"
#include "publish/payloads.h"
#include "tests/support/history/history_fixture.h"

namespace qx7::teste {
namespace {

constexpr qint64 Instante = 1'796'000'000'000;  // 2026-11-30 00:53:20 UTC

QJsonObject Json(const Linha_Fluxo& linha) {
    return QJsonDocument::fromJson(linha.conteudo).object();
}

std::string Texto(const QJsonValue& valor) {
    return valor.toString().toStdString();
}

void Sql(QSqlDatabase& banco, const char* sql) {
    QSqlQuery q(banco);
    ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
}

class Saida : public ::testing::Test {
  protected:
    std::vector<Linha_Fluxo> Ler(Fluxo fluxo, qint64 depois, int limite = 100) {
        std::vector<Linha_Fluxo> linhas;
        EXPECT_TRUE(saida.Ler(fluxo, depois, limite, linhas));
        return linhas;
    }

    Historico_Teste historico;
    Saida_Historico saida{historico.Arquivo()};
};

TEST_F(Saida, LeiturasEmLotesAposOCursorComSeusValores) {
    for (int i = 0; i < 5; ++i) {
        historico.Inserir_Leitura({.instante_ms = Instante + i, .tanque = i + 1});
    }
    historico.Inserir_Leitura({.instante_ms = Instante + 9,
                               .tanque = 4,
                               .medido = std::nullopt,
                               .unidade = QStringLiteral("P"),
                               .comando = QStringLiteral("MA"),
                               .texto_hora = QStringLiteral("23:59")});
    ASSERT_TRUE(saida.Abrir()) << saida.Erro().toStdString();

    const std::vector<Linha_Fluxo> primeiro = Ler(Fluxo::Leituras, 0, 2);
    ASSERT_EQ(primeiro.size(), 2U);
    EXPECT_EQ(primeiro[0].id, 1);
    EXPECT_EQ(primeiro[1].tanque, 2);
    const std::vector<Linha_Fluxo> resto = Ler(Fluxo::Leituras, primeiro.back().id);
    ASSERT_EQ(resto.size(), 4U);
    EXPECT_EQ(resto.front().id, 3);

    const QJsonObject comum = Json(resto[0]);
    EXPECT_EQ(Texto(comum["id"]), "1796000000002-3");
    EXPECT_EQ(Texto(comum["instante"]), "2026-11-30T00:53:20.002Z");
    EXPECT_EQ(comum["tanque"].toInt(), 3);
    EXPECT_EQ(Texto(comum["produto"]), "GASOLINA");
    EXPECT_DOUBLE_EQ(comum["densidade"].toDouble(), 0.75);
    EXPECT_DOUBLE_EQ(comum["capacidade"].toDouble(), 4000);
    EXPECT_DOUBLE_EQ(comum["medido"].toDouble(), 1000);
    EXPECT_DOUBLE_EQ(comum["complementar"].toDouble(), 3000);
    EXPECT_DOUBLE_EQ(comum["percentual"].toDouble(), 25);
    EXPECT_EQ(Texto(comum["unidade"]), "V");
    EXPECT_EQ(Texto(comum["comando"]), "MT");
    EXPECT_EQ(Texto(comum["hora_medidor"]), "10:00");
    EXPECT_EQ(Texto(comum["data_medidor"]), "01/02/24");

    const QJsonObject sem_medido = Json(resto.back());
    EXPECT_TRUE(sem_medido["medido"].isNull());
    EXPECT_TRUE(sem_medido["percentual"].isNull());
    EXPECT_EQ(Texto(sem_medido["unidade"]), "P");
    EXPECT_EQ(Texto(sem_medido["comando"]), "MA");
    EXPECT_EQ(Texto(sem_medido["hora_medidor"]), "23:59");
    EXPECT_TRUE(Ler(Fluxo::Leituras, resto.back().id).empty());
}

TEST_F(Saida, InventarioComTotaisEAsLeiturasDaCorrida) {
    const qint64 corrida = historico.Inserir_Inventario(
        Instante,
        {{.instante_ms = Instante - 2, .tanque = 2}, {.instante_ms = Instante - 1, .tanque = 1}},
        {{.produto = QStringLiteral("GASOLINA"),
          .unidade = QStringLiteral("V"),
          .tanques = 2,
          .capacidade = 8000,
          .medido = 2000,
          .complementar = 6000,
          .ilegiveis = 0}});
    // A total that took in a tank without a value has none.
    Sql(historico.Banco(), "UPDATE totais_inventario SET medido = NULL, tanques_sem_valor = 1");
    ASSERT_TRUE(saida.Abrir());

    const std::vector<Linha_Fluxo> inventarios = Ler(Fluxo::Inventarios, 0);
    ASSERT_EQ(inventarios.size(), 1U);
    EXPECT_EQ(inventarios[0].id, corrida);
    const QJsonObject inventario = Json(inventarios[0]);
    EXPECT_EQ(Texto(inventario["id"]), "1796000000000-1");
    EXPECT_EQ(inventario["num_tanques"].toInt(), 2);
    const QJsonArray totais = inventario["totais"].toArray();
    ASSERT_EQ(totais.size(), 1);
    EXPECT_EQ(Texto(totais[0].toObject()["produto"]), "GASOLINA");
    EXPECT_DOUBLE_EQ(totais[0].toObject()["capacidade"].toDouble(), 8000);
    EXPECT_TRUE(totais[0].toObject()["medido"].isNull());
    EXPECT_EQ(totais[0].toObject()["tanques_sem_valor"].toInt(), 1);
    EXPECT_EQ(inventario["leituras"].toArray(),
              (QJsonArray{QStringLiteral("1795999999999-1"), QStringLiteral("1795999999998-2")}));
}

// One message per alarm event, with its alarm; one per delivery, its instants in ISO form.
TEST_F(Saida, AlarmesEDescargas) {
    ASSERT_TRUE(saida.Abrir());
    QSqlDatabase& banco = historico.Banco();
    Sql(banco,
        "INSERT INTO alarmes VALUES (1, 3, 'Alto', 80, 81.5, 1796000000000, 1796000060000,"
        " NULL, NULL)");
    Sql(banco,
        "INSERT INTO eventos_alarme (alarme, evento, instante_ms) VALUES"
        " (1, 'levantado', 1796000000000), (1, 'normalizado', 1796000060000)");
    Sql(banco,
        "INSERT INTO descargas VALUES (1, 2, 1796000000000, 1796000120000, 1000, 6000, 5000,"
        " 'V')");

    const std::vector<Linha_Fluxo> eventos = Ler(Fluxo::Alarmes, 0);
    ASSERT_EQ(eventos.size(), 2U);
    const QJsonObject levantado = Json(eventos[0]);
    EXPECT_EQ(Texto(levantado["id"]), "1796000000000-1");
    EXPECT_EQ(Texto(levantado["evento"]), "levantado");
    EXPECT_EQ(Texto(levantado["instante"]), "2026-11-30T00:53:20.000Z");
    const QJsonObject alarme = levantado["alarme"].toObject();
    EXPECT_EQ(alarme["id"].toInteger(), 1);
    EXPECT_EQ(alarme["tanque"].toInteger(), 3);
    EXPECT_EQ(Texto(alarme["tipo"]), "Alto");
    EXPECT_DOUBLE_EQ(alarme["valor"].toDouble(), 81.5);
    EXPECT_EQ(Texto(alarme["normalizado"]), "2026-11-30T00:54:20.000Z");
    EXPECT_TRUE(alarme["reconhecido"].isNull());
    EXPECT_EQ(Texto(Json(eventos[1])["evento"]), "normalizado");
    EXPECT_EQ(Ler(Fluxo::Alarmes, eventos[0].id).size(), 1U);

    const std::vector<Linha_Fluxo> descargas = Ler(Fluxo::Descargas, 0);
    ASSERT_EQ(descargas.size(), 1U);
    const QJsonObject descarga = Json(descargas[0]);
    EXPECT_EQ(Texto(descarga["id"]), "1796000000000-1");
    EXPECT_EQ(Texto(descarga["fim"]), "2026-11-30T00:55:20.000Z");
    EXPECT_EQ(descarga["tanque"].toInteger(), 2);
    EXPECT_DOUBLE_EQ(descarga["quantidade"].toDouble(), 5000);
    EXPECT_EQ(Texto(descarga["unidade"]), "V");
    EXPECT_EQ(saida.Pendentes({}), 3);
}

TEST_F(Saida, CursoresGuardadosNoArquivoEPendentesAposEles) {
    for (int i = 0; i < 7; ++i) {
        historico.Inserir_Leitura({.instante_ms = Instante + i, .tanque = 1});
    }
    historico.Inserir_Inventario(Instante + 10, {{.instante_ms = Instante + 8, .tanque = 1}}, {});
    ASSERT_TRUE(saida.Abrir());
    EXPECT_EQ(saida.Ler_Cursores(), Cursores{});
    EXPECT_EQ(saida.Pendentes({}), 9);
    ASSERT_TRUE(saida.Gravar_Cursores({5, 1, 0, 0}));
    saida.Fechar();

    Saida_Historico outra(historico.Arquivo());
    ASSERT_TRUE(outra.Abrir());
    const Cursores lidos = outra.Ler_Cursores();
    EXPECT_EQ(lidos, (Cursores{5, 1, 0, 0}));
    EXPECT_EQ(outra.Pendentes(lidos), 3);
}

TEST(Saida_Historico, ArquivoAusenteOuVazioFicaComoEsta) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    Saida_Historico ausente(arquivo);
    EXPECT_FALSE(ausente.Abrir());
    EXPECT_FALSE(QFile::exists(arquivo));  // the writer creates it, not the publisher

    // Created by the writer but not laid out yet: no table of the publisher's in it, or the
    // writer would take it for a file of another program.
    { Conexao_Historico criado(arquivo, Modo_Conexao::Escrita); }
    Saida_Historico vazio(arquivo);
    EXPECT_FALSE(vazio.Abrir());
    Conexao_Historico conexao(arquivo, Modo_Conexao::Leitura);
    EXPECT_EQ(Versao_Esquema(conexao.Banco()), 0);
}

TEST(Leitura_Ao_Vivo, ComoOHistoricoAGuardaria) {
    const Leitura_Recebida recebida{.endereco = "01",
                                    .comando = "MT",
                                    .tanque = "03",
                                    .densidade = "0.840",
                                    .produto = "DIESEL S10",
                                    .capacidade = "10000",
                                    .medido = "2500.5",
                                    .complementar = " ****",
                                    .hora = "10:15",
                                    .data = "30/11/26",
                                    .peso = true,
                                    .quadro = {}};
    const QJsonObject json =
        QJsonDocument::fromJson(Json_Leitura(Leitura_Ao_Vivo(recebida, Instante))).object();
    EXPECT_EQ(Texto(json["id"]), "1796000000000-3");
    EXPECT_EQ(json["tanque"].toInt(), 3);
    EXPECT_DOUBLE_EQ(json["densidade"].toDouble(), 0.84);
    EXPECT_DOUBLE_EQ(json["medido"].toDouble(), 2500.5);
    EXPECT_TRUE(json["complementar"].isNull());
    EXPECT_TRUE(json["percentual"].isNull());
    EXPECT_EQ(Texto(json["unidade"]), "P");
    EXPECT_EQ(Texto(json["data_medidor"]), "30/11/26");
}

}  // namespace
}  // namespace qx7::teste
