// Answers decoded by the gauge logic land in the history file exactly: texts as received,
// numbers parsed (none where the text is not a number), an inventory as one run with its
// totals, an abandoned one as plain readings, a series with its records, a clock answer with
// its drift.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "gauge/automatic_reading.h"
#include "history/capture.h"
#include "history/connection.h"
#include "history/schema.h"
#include "history/writer.h"
#include "tests/gauge/bench.h"
#include "tests/history/history_reader.h"

namespace qx7::teste {
namespace {

constexpr qint64 Agora_ms = 1'796'000'000'000;  // the computer's clock in these tests

class Gravacao : public Bancada {
  protected:
    void SetUp() override { medidor.Definir_Historico(&captura); }
    // Everything queued is written once the writer stops.
    void Concluir() {
        medidor.Definir_Historico(nullptr);
        gravador.Encerrar();
    }
    // NULL comes back as an empty QVariant, so rows compare with the lists the tests write.
    std::vector<QVariantList> Linhas(const char* sql) {
        std::vector<QVariantList> linhas = Consultar(arquivo, QString::fromLatin1(sql));
        for (QVariantList& linha : linhas) {
            for (QVariant& valor : linha) {
                valor = valor.isNull() ? QVariant() : valor;
            }
        }
        return linhas;
    }

    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    std::vector<Aviso_Historico> avisos;
    Gravador_Historico gravador{
        {arquivo, [this](const Aviso_Historico& a) { avisos.push_back(a); }}};
    Captura_Historico captura{gravador, [] { return Agora_ms; }};
};

TEST_F(Gravacao, LeituraGuardaTextosNumerosEQuadro) {
    Leitura leitura;
    leitura.codigo = "LM";
    leitura.tanque = " 07";
    leitura.densidade = "0745";
    leitura.produto = "G\xC1";  // Windows-1252 "GÁ" comes back as the same letters
    leitura.unidade = "P";
    const std::string resposta = Resposta_Medicao(leitura);
    Receber(resposta);
    Concluir();

    const auto linhas = Linhas(
        "SELECT instante_ms, endereco, comando, inventario, tanque, produto, densidade,"
        " capacidade, medido, complementar, unidade, texto_tanque, texto_densidade,"
        " texto_capacidade, texto_medido, texto_complementar, texto_hora, texto_data, quadro"
        " FROM leituras");
    ASSERT_EQ(linhas.size(), 1u);
    const QVariantList& l = linhas[0];
    EXPECT_EQ(l[0].toLongLong(), Agora_ms);
    EXPECT_EQ(l[1].toString(), QStringLiteral("A01"));
    EXPECT_EQ(l[2].toString(), QStringLiteral("LM"));
    EXPECT_TRUE(l[3].isNull());
    EXPECT_EQ(l[4].toInt(), 7);
    EXPECT_EQ(l[5].toString(), QStringLiteral("G\u00C1"));
    EXPECT_DOUBLE_EQ(l[6].toDouble(), 745);
    EXPECT_DOUBLE_EQ(l[7].toDouble(), 15000);
    EXPECT_DOUBLE_EQ(l[8].toDouble(), 750);
    EXPECT_DOUBLE_EQ(l[9].toDouble(), 250);
    EXPECT_EQ(l[10].toString(), QStringLiteral("P"));
    EXPECT_EQ(l[11].toString(), QStringLiteral(" 07"));
    EXPECT_EQ(l[12].toString(), QStringLiteral("0745"));
    EXPECT_EQ(l[13].toString(), QStringLiteral("015000"));
    EXPECT_EQ(l[14].toString(), QStringLiteral("000750"));
    EXPECT_EQ(l[15].toString(), QStringLiteral("000250"));
    EXPECT_EQ(l[16].toString(), QStringLiteral("14:30:05"));
    EXPECT_EQ(l[17].toString(), QStringLiteral("05/03/18"));
    const std::string quadro = Monta_Quadro(resposta);
    EXPECT_EQ(l[18].toByteArray(),
              QByteArray(quadro.data(), static_cast<qsizetype>(quadro.size())));
    EXPECT_EQ(gravador.Gravados(), 1u);
    EXPECT_TRUE(avisos.empty());
}

// Tank t of product p with `medido` and `complementar`, as an inventory's "MA" answer.
std::string Resposta_Inventario(int t, const char* produto, int medido, int complementar) {
    Leitura l;
    l.codigo = "MA";
    l.tanque = " 0" + std::to_string(t);
    l.produto = produto;
    l.medido = std::string(6 - std::to_string(medido).size(), '0') + std::to_string(medido);
    l.complementar =
        std::string(6 - std::to_string(complementar).size(), '0') + std::to_string(complementar);
    return Resposta_Medicao(l);
}

// A run cut short stays plain readings. A total that would take in a tank without a value has
// none, and says how many; a tank that never answered is counted on the run.
TEST_F(Gravacao, InventarioEUmaCorridaComTotaisPorProduto) {
    painel.textos[Controle::CF_NumTanques] = "04";
    medidor.IV_Cmd_Click();
    Receber(Resposta_Inventario(1, "GC", 100, 900));
    Receber(Resposta_Inventario(2, "GC", 200, 800));
    medidor.IV_Cmd_Click();
    Receber(Resposta_Inventario(1, "GC", 1000, 14000));
    Leitura ilegivel;
    ilegivel.codigo = "MA";
    ilegivel.tanque = " 02";
    ilegivel.medido = "      ";
    Receber(Resposta_Medicao(ilegivel));
    Receber(Resposta_Inventario(4, "DS", 3000, 12000));  // tank 3 never answers
    Concluir();

    EXPECT_EQ(Linhas("SELECT endereco, num_tanques, tanques_ausentes FROM inventarios"),
              (std::vector<QVariantList>{{QStringLiteral("A01"), 4, 1}}));
    EXPECT_EQ(Linhas("SELECT tanque FROM leituras WHERE inventario IS NULL").size(), 2u);
    EXPECT_EQ(Linhas("SELECT tanque FROM leituras WHERE inventario IS NOT NULL").size(), 3u);
    const auto totais = Linhas(
        "SELECT produto, unidade, tanques, capacidade, medido, complementar, tanques_sem_valor"
        " FROM totais_inventario ORDER BY produto");
    ASSERT_EQ(totais.size(), 2u);
    EXPECT_EQ(totais[0], (QVariantList{QStringLiteral("DS"), QStringLiteral("V"), 1, 15000.0,
                                       3000.0, 12000.0, 0}));
    EXPECT_EQ(totais[1], (QVariantList{QStringLiteral("GC"), QStringLiteral("V"), 2, 30000.0,
                                       QVariant(), 14250.0, 1}));
    EXPECT_EQ(gravador.Gravados(), 6u);  // five readings and the run
}

// An inventory cut off at tank 3 of 6 is given up after a minute of silence; the automatic
// reading waits for that, and its "MA" afterwards neither completes a run nor opens a screen.
TEST_F(Gravacao, InventarioAbandonadoFicaComoLeiturasAvulsas) {
    painel.textos[Controle::CF_NumTanques] = "06";
    Leitura_Automatica automatica{[this] { medidor.MA_Cmd_Click(); }};
    ASSERT_TRUE(automatica.Definir_Intervalo(1));
    const auto segundo = [&](std::int64_t agora_ms) {
        medidor.Vigiar_Inventario(agora_ms);
        automatica.Tick(
            agora_ms,
            {.conectada = true, .ociosa = true, .inventario = medidor.Inventario_Em_Curso()});
    };
    segundo(0);
    medidor.IV_Cmd_Click();
    for (int t = 1; t <= 3; ++t) {
        Receber(Resposta_Inventario(t, "GC", 1000 * t, 14000));
    }
    // Its last answer came before the tick at 1 s.
    for (std::int64_t agora = 1000; agora <= 60'000; agora += 1000) {
        segundo(agora);
    }
    EXPECT_TRUE(variaveis.Modo_Inventario);
    EXPECT_EQ(enlace.mensagens.size(), 1u) << "uma leitura automática no meio do inventário";
    segundo(61'000);
    EXPECT_FALSE(variaveis.Modo_Inventario);
    ASSERT_EQ(enlace.mensagens.size(), 2u);
    EXPECT_EQ(enlace.mensagens.back(), "MA");
    for (int t = 1; t <= 6; ++t) {
        Receber(Resposta_Inventario(t, "GC", 1000 * t, 14000));
    }
    Concluir();

    EXPECT_TRUE(telas.abertas.empty());
    EXPECT_TRUE(Linhas("SELECT id FROM inventarios").empty());
    EXPECT_EQ(Linhas("SELECT id FROM leituras WHERE inventario IS NULL").size(), 9u);
}

// A quantity that is not a number is kept as none beside its text, never as 0.
TEST_F(Gravacao, CampoQueNaoENumeroFicaSemValor) {
    const struct {
        const char* medido;  // six characters, as received
        QVariant valor;      // as stored; null: none
    } casos[] = {
        {"000750", 750.0}, {"000000", 0.0}, {"      ", {}}, {"00,750", {}}, {"ERRO  ", {}}};
    for (const auto& c : casos) {
        Leitura leitura;
        leitura.medido = c.medido;
        Receber(Resposta_Medicao(leitura));
    }
    Concluir();
    const auto linhas = Linhas("SELECT medido, texto_medido FROM leituras ORDER BY id");
    ASSERT_EQ(linhas.size(), std::size(casos));
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        EXPECT_EQ(linhas[i], (QVariantList{casos[i].valor, QString::fromLatin1(casos[i].medido)}));
    }
}

TEST_F(Gravacao, SerieProgramadaComRegistrosEmOrdem) {
    telas.ao_abrir_data = [&] { variaveis.Data_Solicitada = "081226"; };
    medidor.Medicao_Programada_Click();
    const char* soh = "\x01";
    Receber(Resposta_Programada("080000", "081226", "001200", "001", soh));
    Receber(Resposta_Programada("090000", "081226", "001150", "001", soh));
    Receber(Resposta_Programada("100000", "081226", "000980", "002", ""));
    Concluir();

    const auto series = Linhas("SELECT id, data_solicitada FROM series_programadas");
    ASSERT_EQ(series.size(), 1u);
    EXPECT_EQ(series[0][1].toString(), QStringLiteral("081226"));
    const auto registros = Linhas(
        "SELECT ordem, texto_hora, texto_volume, tanque, volume FROM registros_programados"
        " ORDER BY ordem");
    ASSERT_EQ(registros.size(), 3u);
    EXPECT_EQ(registros[0],
              (QVariantList{0, QStringLiteral("080000"), QStringLiteral("001200"), 1, 1200.0}));
    EXPECT_EQ(registros[2],
              (QVariantList{2, QStringLiteral("100000"), QStringLiteral("000980"), 2, 980.0}));
}

struct Caso_Relogio {
    const char* nome;
    const char* hora_data;  // HHMMSS DDMMAA as the gauge sends them
    QVariant deriva_s;      // gauge minus computer
};

class Relogio : public Gravacao, public ::testing::WithParamInterface<Caso_Relogio> {};

TEST_P(Relogio, DerivaContraOComputador) {
    Receber(std::string("LR") + GetParam().hora_data + "03");
    Concluir();
    const auto linhas = Linhas("SELECT texto_hora, texto_data, texto_dia, deriva_s FROM relogio");
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0][2].toString(), QStringLiteral("03"));
    EXPECT_EQ(linhas[0][3].isNull(), GetParam().deriva_s.isNull());
    if (!GetParam().deriva_s.isNull()) {
        EXPECT_EQ(linhas[0][3].toLongLong(), GetParam().deriva_s.toLongLong());
    }
}

// The gauge's texts for the computer's time plus `segundos`.
std::string Hora_Data(qint64 segundos) {
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(Agora_ms + segundos * 1000);
    return t.toString(QStringLiteral("HHmmssddMMyy")).toStdString();
}

const std::string Adiantado = Hora_Data(150);
const std::string Atrasado = Hora_Data(-3600);

INSTANTIATE_TEST_SUITE_P(
    Casos, Relogio,
    ::testing::Values(Caso_Relogio{"Adiantado", Adiantado.c_str(), QVariant(150)},
                      Caso_Relogio{"Atrasado", Atrasado.c_str(), QVariant(-3600)},
                      Caso_Relogio{"HoraInvalida", "256161321399", QVariant()}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Migracao, ArquivoDaVersao1GanhaAVersaoAtualSemPerderLinhas) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    {
        Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
        QString erro;
        ASSERT_TRUE(Migrar_Esquema(conexao.Banco(), erro, 1)) << erro.toStdString();
        QSqlQuery q(conexao.Banco());
        ASSERT_TRUE(q.exec(QStringLiteral(
            "INSERT INTO relogio (instante_ms, endereco, texto_hora, texto_data, texto_dia)"
            " VALUES (1, 'A01', '10:00:00', '01/01/25', '04')")));
    }
    Gravador_Historico gravador({arquivo, {}});
    gravador.Enfileirar(Unidade_Relogio{2, {"A01", "11:00:00", "01/01/25", "04", "quadro"}});
    gravador.Encerrar();

    EXPECT_EQ(Valor(arquivo, QStringLiteral("SELECT versao FROM versao_esquema")).toInt(),
              Versao_Esquema_Atual);
    const auto linhas =
        Consultar(arquivo, QStringLiteral("SELECT texto_hora, quadro FROM relogio ORDER BY id"));
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0][0].toString(), QStringLiteral("10:00:00"));
    EXPECT_TRUE(linhas[0][1].isNull());
    EXPECT_EQ(linhas[1][1].toByteArray(), QByteArray("quadro"));
}

}  // namespace
}  // namespace qx7::teste
