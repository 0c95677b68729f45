// The history window from the panel: its button and Ctrl+H open one window, a second call
// brings the same one forward, and without the history's services nothing opens. Ctrl+Shift+P
// opens the "Publicação" dialog, with no control of its own on the panel.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "tests/app/panel_fixture.h"

namespace qx7::teste {
namespace {

Servicos_Historico Servicos(const QString& arquivo) {
    return {arquivo,
            [] { return Estatisticas_Enlace{}; },
            [] { return Estatisticas_Enlace{}; },
            [] { return QString(); },
            [] { return 0; },
            [](int) { return true; },
            [] { return std::uint64_t{0}; }};
}

QList<QWidget*> Janelas(Form1& painel) {
    return painel.findChildren<QWidget*>(QStringLiteral("Historico"));
}

class Abrir_Historico : public ::testing::Test {
  protected:
    void SetUp() override {
        painel.show();
        painel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&painel));
    }
    Painel_De_Teste bancada;
    Form1& painel = bancada.Criar();
};

TEST_F(Abrir_Historico, SemServicosNadaAbre) {
    painel.findChild<QAbstractButton*>(QStringLiteral("Historico_Cmd"))->click();
    QTest::keyClick(&painel, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(Janelas(painel).isEmpty());
}

TEST_F(Abrir_Historico, BotaoEAtalhoAbremAMesmaJanela) {
    painel.Definir_Historico(Servicos(bancada.diretorio.filePath(QStringLiteral("H.sqlite"))));
    auto* botao = painel.findChild<QAbstractButton*>(QStringLiteral("Historico_Cmd"));
    ASSERT_NE(botao, nullptr);
    EXPECT_EQ(botao->text(), QStringLiteral("Histórico"));
    botao->click();
    ASSERT_EQ(Janelas(painel).size(), 1);
    QWidget* janela = Janelas(painel).front();
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(janela->isWindow());

    janela->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Janelas(painel).isEmpty());  // closed means gone, not hidden

    painel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&painel));
    QTest::keyClick(&painel, Qt::Key_H, Qt::ControlModifier);
    ASSERT_EQ(Janelas(painel).size(), 1);
    botao->click();
    EXPECT_EQ(Janelas(painel).size(), 1);
}

TEST_F(Abrir_Historico, CtrlShiftPAbreAPublicacao) {
    Servicos_Historico servicos = Servicos(bancada.diretorio.filePath(QStringLiteral("H.sqlite")));
    servicos.publicacao.arquivo_preferencias =
        bancada.diretorio.filePath(QStringLiteral("Preferencias.ini"));
    painel.Definir_Historico(servicos);
    QString aberta;
    QTimer::singleShot(0, [&] {
        if (QWidget* tela = QApplication::activeModalWidget()) {
            aberta = tela->objectName();
            tela->close();
        }
    });
    QTest::keyClick(&painel, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(aberta, QStringLiteral("Publicacao"));
}

}  // namespace
}  // namespace qx7::teste
