// The program and the simulator on a pseudo-terminal: the answers that came through the real
// link and decoder are in the history file exactly as the decoder read them, and a history
// file locked for a while leaves the line working and loses nothing.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QSqlQuery>
#include <QWidget>

#include "history/connection.h"
#include "link/frame.h"
#include "station/history_wiring.h"
#include "tests/e2e/program_session.h"
#include "tests/history/history_reader.h"
#include "text/qt_1252.h"

namespace qx7::e2e {
namespace {

using teste::Consultar;
using teste::Valor;

class Historico_E2e : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sessao.Iniciada());
        ASSERT_TRUE(Esperar_Linha(sessao, "Status: Transmissão OK!", 1, Espera_Resposta_ms));
        ASSERT_TRUE(sessao.Conectar());
    }
    qint64 Contar(const char* sql) { return Valor(arquivo, QString::fromLatin1(sql)).toLongLong(); }
    bool Esperar_Contagem(const char* sql, qint64 n) {
        return Esperar([&] { return Contar(sql) == n; }, Espera_Resposta_ms);
    }

    Sessao sessao;
    QString arquivo = Arquivo_No_Diretorio(sessao.Base(), Arquivo_Historico);
};

TEST_F(Historico_E2e, LeiturasInventarioERelogioComoODecodificadorLeu) {
    sessao.Clicar("MA_Cmd");
    ASSERT_TRUE(Esperar_Contagem("SELECT count(*) FROM leituras", 4));
    const auto linhas = Consultar(
        arquivo, QStringLiteral("SELECT tanque, texto_tanque, texto_medido, texto_complementar,"
                                " texto_densidade, produto, texto_data, texto_hora,"
                                " texto_capacidade, medido, quadro FROM leituras ORDER BY id"));
    ASSERT_EQ(linhas.size(), 4u);
    for (const QVariantList& l : linhas) {
        const int t = l[0].toInt();
        ASSERT_TRUE(t >= 1 && t <= 4) << t;
        const auto& tabela = sessao.Prog().Variaveis().Tabela_Tanques[static_cast<std::size_t>(t)];
        for (int campo = 0; campo < Campos_Tanque; ++campo) {
            EXPECT_EQ(l[1 + campo].toString(), De_1252(tabela[static_cast<std::size_t>(campo)]))
                << "tanque " << t << " campo " << campo;
        }
        EXPECT_DOUBLE_EQ(l[9].toDouble(), De_1252(tabela[1]).toDouble());
        const QByteArray quadro = l[10].toByteArray();
        EXPECT_TRUE(BCC_Correto(std::string_view(quadro.constData(), quadro.size())));
        EXPECT_TRUE(quadro.startsWith("\x02MA"));
    }

    sessao.Operador().Quando(QStringLiteral("Form2"),
                             [](QWidget& tela) { Clicar(tela, "Retornar"); });
    sessao.Clicar("IV_Cmd");
    ASSERT_TRUE(Esperar_Contagem("SELECT count(*) FROM inventarios WHERE num_tanques = 4", 1));
    EXPECT_TRUE(Esperar_Contagem("SELECT count(*) FROM leituras WHERE inventario IS NOT NULL", 4));
    EXPECT_EQ(Contar("SELECT sum(tanques) FROM totais_inventario"), 4);
    EXPECT_EQ(Contar("SELECT count(*) FROM leituras"), 8);

    sessao.Clicar("LR_Cmd");
    ASSERT_TRUE(Esperar_Contagem("SELECT count(*) FROM relogio", 1));
    const auto relogio = Consultar(
        arquivo,
        QStringLiteral("SELECT texto_hora, texto_data, deriva_s, instante_ms FROM relogio"));
    EXPECT_EQ(relogio[0][0].toString(), sessao.Texto("LR_Hora"));
    EXPECT_EQ(relogio[0][1].toString(), sessao.Texto("LR_Data"));
    // The sample gauge's clock starts at a time of its own: the drift is the gauge's time as
    // the panel shows it, less the computer's when the answer came.
    const QDateTime medidor = QDateTime::fromString(
        sessao.Texto("LR_Data") + sessao.Texto("LR_Hora"), QStringLiteral("dd/MM/yyHH:mm:ss"));
    ASSERT_TRUE(medidor.isValid());
    const qint64 esperada =
        medidor.addYears(100).toSecsSinceEpoch() - relogio[0][3].toLongLong() / 1000;
    EXPECT_LE(std::abs(relogio[0][2].toLongLong() - esperada), 1);
}

TEST_F(Historico_E2e, ArquivoBloqueadoPorUmTempoNadaSePerde) {
    Conexao_Historico outro(arquivo, Modo_Conexao::Escrita);
    ASSERT_TRUE(QSqlQuery(outro.Banco()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    sessao.Clicar("MA_Cmd");
    EXPECT_TRUE(Esperar([&] { return sessao.Texto("QX7_Tanque") == QStringLiteral("04"); },
                        Espera_Resposta_ms));
    const auto linhas = [&](const QString& inicio) {
        int n = 0;
        for (const std::string& linha : sessao.Log()) {
            n += De_1252(linha).startsWith(inicio) ? 1 : 0;
        }
        return n;
    };
    const QString parada = QStringLiteral("Gravação do histórico interrompida: o arquivo");
    EXPECT_TRUE(Esperar([&] { return linhas(parada) == 1; }, 10000)) << Texto_Do_Log(sessao.Prog());

    // The line goes on meanwhile; its readings wait for the file.
    sessao.Clicar("LR_Cmd");
    EXPECT_TRUE(Esperar([&] { return !sessao.Texto("LR_Hora").isEmpty(); }, Espera_Resposta_ms));
    QSqlQuery(outro.Banco()).exec(QStringLiteral("ROLLBACK"));

    // The four readings, the clock answer and the alarm its drift raised (the sample gauge's
    // clock starts at a day of its own).
    EXPECT_TRUE(Esperar(
        [&] {
            return linhas(QStringLiteral("Gravação do histórico retomada: 6 registros "
                                         "recuperados")) == 1;
        },
        15000))
        << Texto_Do_Log(sessao.Prog());
    EXPECT_EQ(linhas(parada), 1);
    EXPECT_TRUE(sessao.Prog().Historico()->Gravador().Motivo_Inativo().isEmpty());
    EXPECT_EQ(Contar("SELECT count(*) FROM leituras"), 4);
    EXPECT_EQ(Contar("SELECT count(*) FROM relogio"), 1);
    EXPECT_EQ(Contar("SELECT count(*) FROM alarmes WHERE tanque IS NULL"), 1);
}

}  // namespace
}  // namespace qx7::e2e
