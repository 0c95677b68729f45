#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "gauge/shared_tables.h"
#include "screens/inventory/form2.h"
#include "widgets/grid.h"
#include "widgets/twips.h"

namespace {

using qx7::Form2;
using qx7::Grade;
using qx7::Variaveis_Programa;

TEST(Form2_Janela, CaptionSizeAndBackground) {
    Variaveis_Programa v;
    Form2 tela(v);
    EXPECT_EQ(tela.windowTitle(), QStringLiteral("Sistema QX7 - Inventário de Produtos"));
    EXPECT_EQ(tela.size(), qx7::Tamanho(10095, 9900));
    EXPECT_EQ(tela.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(tela.autoFillBackground());
}

TEST(Form2_Janela, TablesAndTheirFrames) {
    Variaveis_Programa v;
    Form2 tela(v);
    struct Caso {
        const char* quadro;
        const char* titulo;
        QRect onde_quadro;
        const char* grade;
        QRect onde_grade;
    };
    const Caso casos[] = {
        {"Frame3", "Medições dos Tanques", qx7::Retangulo(120, 120, 6615, 4455), "Leitura",
         qx7::Retangulo(120, 240, 6345, 4095)},
        {"Frame2", "Inventário de Produtos", qx7::Retangulo(6720, 120, 3255, 2535), "Inventário",
         qx7::Retangulo(120, 240, 3020, 2190)},
    };
    for (const Caso& caso : casos) {
        auto* quadro = tela.findChild<QGroupBox*>(QString::fromUtf8(caso.quadro));
        ASSERT_NE(quadro, nullptr) << caso.quadro;
        EXPECT_EQ(quadro->title(), QString::fromUtf8(caso.titulo));
        EXPECT_EQ(quadro->geometry(), caso.onde_quadro);
        auto* grade = quadro->findChild<Grade*>(QString::fromUtf8(caso.grade));
        ASSERT_NE(grade, nullptr) << caso.grade;
        EXPECT_EQ(grade->geometry(), caso.onde_grade);
        EXPECT_FALSE(grade->font().bold());
    }
}

TEST(Form2_Janela, Buttons) {
    Variaveis_Programa v;
    Form2 tela(v);
    auto* imprimir = tela.findChild<QPushButton*>(QStringLiteral("Imprimir"));
    auto* retornar = tela.findChild<QPushButton*>(QStringLiteral("Retornar"));
    ASSERT_NE(imprimir, nullptr);
    ASSERT_NE(retornar, nullptr);
    EXPECT_EQ(imprimir->text(), QStringLiteral("Imprimir"));
    EXPECT_EQ(retornar->text(), QStringLiteral("Retornar"));
    EXPECT_EQ(imprimir->geometry(), qx7::Retangulo(7080, 3240, 1215, 735));
    EXPECT_EQ(retornar->geometry(), qx7::Retangulo(8520, 3240, 1215, 735));
    EXPECT_TRUE(imprimir->font().bold());
    EXPECT_DOUBLE_EQ(imprimir->font().pointSizeF(), 9.75);
    EXPECT_DOUBLE_EQ(retornar->font().pointSizeF(), 9.75);
    EXPECT_EQ(retornar->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(retornar->palette().color(QPalette::Button), QColor(192, 192, 255));
}

TEST(Form2_Janela, FirstShowingBuildsTheTablesAndOpensCentred) {
    Variaveis_Programa v;
    v.Tabela_Tanques[3] = {"003", "100", "100", "0.80", "GA", "", "", ""};
    Form2 tela(v);
    tela.show();
    Grade* leitura = tela.findChild<Grade*>(QStringLiteral("Leitura"));
    EXPECT_EQ(leitura->TextMatrix(0, 0), "Tanque");
    EXPECT_EQ(leitura->TextMatrix(3, 0), "003");
    EXPECT_FALSE(tela.findChild<QWidget*>(QStringLiteral("Frame1_2"))->isHidden());
    const QPoint centro = tela.screen()->availableGeometry().center();
    EXPECT_LE((tela.frameGeometry().center() - centro).manhattanLength(), 2);
}

class Form2_Ativacao : public ::testing::Test {
  protected:
    void SetUp() override {
        v.Tabela_Tanques[1] = {"001", "100", "100", "0.80", "GA", "", "", ""};
        tela.show();
        Ativar(tela);
        v.Tabela_Tanques[9] = {"009", "300", "100", "0.80", "GA", "", "", ""};
    }

    static void Ativar(QWidget& janela) {
        janela.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    }

    std::string Total() const {
        return tela.findChild<Grade*>(QStringLiteral("Inventário"))->TextMatrix(1, 1);
    }

    Variaveis_Programa v;
    Form2 tela{v};
};

TEST_F(Form2_Ativacao, ActivationByTheWindowSystemAloneDoesNotRebuild) {
    QEvent desativacao(QEvent::WindowDeactivate);
    QApplication::sendEvent(&tela, &desativacao);
    QEvent ativacao(QEvent::WindowActivate);
    QApplication::sendEvent(&tela, &ativacao);
    EXPECT_EQ(Total(), "100");
    EXPECT_TRUE(tela.findChild<QWidget*>(QStringLiteral("Frame1_8"))->isHidden());
}

TEST_F(Form2_Ativacao, ACoveringScreenOfThisProgramClosedRebuildsFromTheCurrentTable) {
    {
        QDialog outra;
        outra.show();
        Ativar(outra);
        EXPECT_EQ(Total(), "100");  // no refresh while covered
    }
    Ativar(tela);
    EXPECT_EQ(Total(), "400");
    EXPECT_FALSE(tela.findChild<QWidget*>(QStringLiteral("Frame1_8"))->isHidden());
}

TEST(Form2_Janela, RetornarClosesTheScreen) {
    Variaveis_Programa v;
    Form2 tela(v);
    tela.show();
    tela.findChild<QPushButton*>(QStringLiteral("Retornar"))->click();
    EXPECT_FALSE(tela.isVisible());
    EXPECT_EQ(tela.result(), QDialog::Accepted);
}

TEST(Form2_Janela, ImprimirPrintsThisWindow) {
    Variaveis_Programa v;
    Form2 tela(v);
    QWidget* impresso = nullptr;
    QString motivo;
    qx7::Meios_Impressao meios;
    meios.Impressora_Padrao = [] { return std::unique_ptr<QPrinter>(); };
    meios.Oferecer_Pdf = [&](QWidget& janela, const QString& texto) {
        impresso = &janela;
        motivo = texto;
        return false;
    };
    tela.Definir_Meios_Impressao(meios);
    tela.findChild<QPushButton*>(QStringLiteral("Imprimir"))->click();
    EXPECT_EQ(impresso, &tela);
    EXPECT_EQ(motivo, qx7::Sem_Impressora);
}

}  // namespace
