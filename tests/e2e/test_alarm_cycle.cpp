// The program against the simulator on a pseudo-terminal, with a limit read again from
// Preferencias.ini as the service's reload does: a tank set above it raises one row in the
// history (a second reading still above adds none), the panel's title and percentage box show
// it, the history window's "Reconhecer" records who and when, and a reading back inside records
// the clearing; each change is one event, in order.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <fstream>

#include "station/alarm_wiring.h"
#include "station/history_wiring.h"
#include "station/user_name.h"
#include "tests/e2e/program_session.h"
#include "tests/history/history_reader.h"

namespace qx7::e2e {
namespace {

using teste::Consultar;
using teste::Valor;

class Alarmes_E2e : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sessao.Iniciada());
        ASSERT_TRUE(Esperar_Linha(sessao, "Status: Transmissão OK!", 1, Espera_Resposta_ms));
        ASSERT_TRUE(sessao.Conectar());
        std::ofstream(sessao.Base() / Arquivo_Preferencias) << "[Alarmes]\nTanque1\\Alto=80\n";
        sessao.Prog().Historico()->Reler_Preferencias();
        sessao.Clicar("TQ_Ativo(0)");
    }

    // Tank 1 of the sample gauge (30,000) set to `medido`, holding still, then measured.
    void Medir_Tanque_1(int medido) {
        ASSERT_TRUE(sessao.Simulador().Definir(QStringLiteral("tanque.1.deriva=0")));
        ASSERT_TRUE(sessao.Simulador().Definir(QStringLiteral("tanque.1.medido=%1").arg(medido)));
        const int antes = Contar("SELECT count(*) FROM leituras");
        sessao.Clicar("MT_Cmd");
        ASSERT_TRUE(Esperar([&] { return Contar("SELECT count(*) FROM leituras") > antes; },
                            Espera_Resposta_ms));
    }

    qint64 Contar(const char* sql) { return Valor(arquivo, QString::fromLatin1(sql)).toLongLong(); }
    bool Esperar_Contagem(const char* sql, qint64 n) {
        return Esperar([&] { return Contar(sql) == n; }, Espera_Resposta_ms);
    }

    // The history window's "Alarmes" tab, acknowledging the first active alarm.
    void Reconhecer_Pela_Janela() {
        sessao.Prog().Painel().Historico_Click();
        QWidget* janela = sessao.Painel().findChild<QWidget*>(QStringLiteral("Historico"));
        ASSERT_NE(janela, nullptr);
        auto* ativos = janela->findChild<QTableView*>(QStringLiteral("Alarmes_Ativos"));
        auto* reconhecer = janela->findChild<QPushButton*>(QStringLiteral("Reconhecer"));
        ASSERT_NE(ativos, nullptr);
        ASSERT_NE(reconhecer, nullptr);
        ASSERT_EQ(ativos->model()->rowCount(), 1);
        ativos->selectRow(0);
        reconhecer->click();
        janela->close();
    }

    Sessao sessao{{QStringLiteral("--entrada")}};
    QString arquivo = Arquivo_No_Diretorio(sessao.Base(), Arquivo_Historico);
};

TEST_F(Alarmes_E2e, LevantadoReconhecidoENormalizadoNoHistorico) {
    auto* percentual = sessao.Achar<QLineEdit>("Percentual");
    ASSERT_NE(percentual, nullptr);
    const QColor normal = percentual->palette().color(QPalette::Base);
    Medir_Tanque_1(27000);  // 90 %
    ASSERT_TRUE(Esperar_Contagem("SELECT count(*) FROM alarmes", 1)) << Texto_Do_Log(sessao.Prog());
    Medir_Tanque_1(27300);  // still above: the same occurrence
    EXPECT_TRUE(sessao.Painel().windowTitle().endsWith(QStringLiteral("1 alarme não reconhecido")))
        << sessao.Painel().windowTitle().toStdString();
    EXPECT_NE(percentual->palette().color(QPalette::Base), normal);

    const qint64 antes = QDateTime::currentMSecsSinceEpoch();
    Reconhecer_Pela_Janela();
    ASSERT_TRUE(
        Esperar_Contagem("SELECT count(*) FROM alarmes WHERE reconhecido_ms IS NOT NULL", 1));
    const qint64 depois = QDateTime::currentMSecsSinceEpoch();
    EXPECT_FALSE(sessao.Painel().windowTitle().contains(QStringLiteral("alarme")));
    EXPECT_EQ(percentual->palette().color(QPalette::Base), normal);

    Medir_Tanque_1(15000);  // 50 %
    ASSERT_TRUE(
        Esperar_Contagem("SELECT count(*) FROM alarmes WHERE normalizado_ms IS NOT NULL", 1));
    const auto alarmes =
        Consultar(arquivo, QStringLiteral("SELECT tanque, tipo, limite, valor, reconhecido_por,"
                                          " reconhecido_ms, levantado_ms <= reconhecido_ms,"
                                          " reconhecido_ms <= normalizado_ms FROM alarmes"));
    ASSERT_EQ(alarmes.size(), 1u);
    EXPECT_EQ(alarmes[0][0].toInt(), 1);
    EXPECT_EQ(alarmes[0][1].toString(), QStringLiteral("Alto"));
    EXPECT_EQ(alarmes[0][2].toDouble(), 80);
    EXPECT_EQ(alarmes[0][3].toDouble(), 90);
    EXPECT_EQ(alarmes[0][4].toString(), Nome_Do_Operador());
    EXPECT_GE(alarmes[0][5].toLongLong(), antes);
    EXPECT_LE(alarmes[0][5].toLongLong(), depois);
    EXPECT_EQ(alarmes[0][6].toInt(), 1);
    EXPECT_EQ(alarmes[0][7].toInt(), 1);
    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT evento FROM eventos_alarme ORDER BY id")),
              (std::vector<QVariantList>{{QStringLiteral("levantado")},
                                         {QStringLiteral("reconhecido")},
                                         {QStringLiteral("normalizado")}}));
}

}  // namespace
}  // namespace qx7::e2e
