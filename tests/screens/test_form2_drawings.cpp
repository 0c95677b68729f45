#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <string>

#include "gauge/shared_tables.h"
#include "gauge/tank_level.h"
#include "screens/inventory/filled_shape.h"
#include "screens/inventory/form2.h"
#include "screens/inventory/tank_frame.h"
#include "text/decimal_separator.h"
#include "widgets/twips.h"

namespace {

using qx7::Form2;
using qx7::Quadro_Tanque;
using qx7::Variaveis_Programa;

float Altura_Esperada(double mostrado) {
    return static_cast<float>((1.0 - mostrado / 100.0) * 855.0);
}

struct Caso_Nivel {
    const char* nome;
    double medido;
    double complementar;
    char separador;
    const char* texto;
    float altura_vazio;
};

class Nivel : public ::testing::TestWithParam<Caso_Nivel> {};

TEST_P(Nivel, PercentageTextAndEmptyShare) {
    const Caso_Nivel& caso = GetParam();
    const qx7::Nivel_Tanque nivel = qx7::Calcular_Nivel(
        caso.medido, caso.complementar, caso.separador, qx7::Altura_Corpo_Tanque_Twips);
    EXPECT_EQ(nivel.Percentual, caso.texto);
    EXPECT_FLOAT_EQ(nivel.Altura_Vazio_Twips, caso.altura_vazio);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Nivel,
    ::testing::Values(
        Caso_Nivel{"ThreeQuartersPoint", 750, 250, '.', "75.%", 213.75f},
        Caso_Nivel{"ThreeQuartersComma", 750, 250, ',', "75,%", 213.75f},
        Caso_Nivel{"EmptyTank", 0, 1000, '.', "0.%", 855.0f},
        Caso_Nivel{"FullTank", 1000, 0, ',', "100,%", 0.0f},
        Caso_Nivel{"OneThirdPointUsesTheDecimals", 1, 2, '.', "33.33%", Altura_Esperada(33.33)},
        Caso_Nivel{"OneThirdCommaUsesTheWholePart", 1, 2, ',', "33,33%", Altura_Esperada(33)},
        Caso_Nivel{"BothZeroShowsNothingAndAnEmptyTank", 0, 0, '.', "", 855.0f},
        Caso_Nivel{"SumZeroShowsNothingAndAnEmptyTank", 500, -500, '.', "", 855.0f},
        Caso_Nivel{"AboveHundredIsClampedFull", 150, -50, '.', "150.%", 0.0f},
        Caso_Nivel{"BelowZeroIsClampedEmpty", -50, 150, '.', "-50.%", 855.0f}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Caso_Desenho {
    const char* nome;
    const char* medido;
    const char* complementar;
    char separador;
    const char* texto;
    float altura_vazio;
};

class Desenho : public ::testing::TestWithParam<Caso_Desenho> {};

TEST_P(Desenho, TankDrawingOnTheScreen) {
    const Caso_Desenho& caso = GetParam();
    Variaveis_Programa v;
    v.Tabela_Tanques[6] = {"006", caso.medido, caso.complementar, "0.85", "DI", "", "", ""};
    qx7::Separador_Decimal_Fixo separador(caso.separador);
    Form2 tela(v);
    tela.Atualizar();
    auto* quadro = tela.findChild<Quadro_Tanque*>(QStringLiteral("Frame1_5"));
    ASSERT_NE(quadro, nullptr);
    EXPECT_FALSE(quadro->isHidden());
    EXPECT_EQ(quadro->title(), QStringLiteral("Tanque No. 6"));
    EXPECT_EQ(quadro->findChild<QLineEdit*>(QStringLiteral("Percentual"))->text(),
              QString::fromLatin1(caso.texto));
    EXPECT_FLOAT_EQ(quadro->Altura_Liquido_Twips(), caso.altura_vazio);
    auto* vazio = quadro->findChild<QWidget*>(QStringLiteral("Altura_Líquido"));
    ASSERT_NE(vazio, nullptr);
    EXPECT_EQ(vazio->height(), qx7::Pixels(caso.altura_vazio));
    EXPECT_EQ(vazio->y(), qx7::Pixels(360));
    EXPECT_EQ(vazio->width(), qx7::Pixels(1455));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Desenho,
    ::testing::Values(
        Caso_Desenho{"ThreeQuarters", "000750", "000250", '.', "75.%", 213.75f},
        Caso_Desenho{"ThreeQuartersComma", "000750", "000250", ',', "75,%", 213.75f},
        Caso_Desenho{"Empty", "000000", "001000", '.', "0.%", 855.0f},
        Caso_Desenho{"Full", "001000", "000000", '.', "100.%", 0.0f},
        Caso_Desenho{"OneThirdPoint", "1", "2", '.', "33.33%", Altura_Esperada(33.33)},
        Caso_Desenho{"OneThirdComma", "1", "2", ',', "33,33%", Altura_Esperada(33)},
        Caso_Desenho{"NoNumbers", "", "abc", '.', "", 855.0f},
        Caso_Desenho{"CommaInTheCellStopsTheNumber", "7,5", "3", '.', "70.%", Altura_Esperada(70)}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Desenho_Layout, ThreeQuartersInPixels) {
    Variaveis_Programa v;
    v.Tabela_Tanques[1] = {"001", "750", "250", "", "", "", "", ""};
    Form2 tela(v);
    tela.Atualizar();
    auto* vazio = tela.findChild<QWidget*>(QStringLiteral("Frame1_0"))
                      ->findChild<QWidget*>(QStringLiteral("Altura_Líquido"));
    EXPECT_EQ(vazio->height(), 14);  // 213.75 twips
}

TEST(Desenho_Layout, OnlyTankSixteenShowsTheLastFrame) {
    Variaveis_Programa v;
    v.Tabela_Tanques[16] = {"016", "500", "500", "0.80", "GA", "", "", ""};
    Form2 tela(v);
    tela.Atualizar();
    for (int i = 0; i < 16; ++i) {
        auto* quadro = tela.findChild<QGroupBox*>(QStringLiteral("Frame1_%1").arg(i));
        ASSERT_NE(quadro, nullptr) << i;
        EXPECT_EQ(quadro->isHidden(), i != 15) << i;
    }
    auto* ultimo = tela.findChild<QGroupBox*>(QStringLiteral("Frame1_15"));
    EXPECT_EQ(ultimo->title(), QStringLiteral("Tanque No. 16"));
    EXPECT_EQ(ultimo->geometry(), qx7::Retangulo(7560, 8520, 2535, 1335));
}

TEST(Desenho_Layout, FramesSitInAFourByFourGridInReadingOrder) {
    Variaveis_Programa v;
    Form2 tela(v);
    const int esquerdas[] = {0, 2520, 5040, 7560};
    const int topos[] = {4560, 5880, 7200, 8520};
    for (int i = 0; i < 16; ++i) {
        auto* quadro = tela.findChild<QGroupBox*>(QStringLiteral("Frame1_%1").arg(i));
        ASSERT_NE(quadro, nullptr) << i;
        EXPECT_EQ(quadro->geometry(), qx7::Retangulo(esquerdas[i % 4], topos[i / 4], 2535, 1335))
            << i;
        EXPECT_EQ(quadro->title(), QStringLiteral("Tanque No. "));
        EXPECT_TRUE(quadro->font().bold());
        EXPECT_EQ(quadro->palette().color(QPalette::Window), QColor(Qt::white));
    }
}

TEST(Desenho_Layout, ContentsOfAFrame) {
    Variaveis_Programa v;
    Form2 tela(v);
    auto* quadro = tela.findChild<QGroupBox*>(QStringLiteral("Frame1_9"));
    ASSERT_NE(quadro, nullptr);
    struct Forma {
        const char* nome;
        QRect onde;
        QColor cor;
    };
    const QColor cinza = qx7::Cor_Barra_Rolagem();
    const Forma formas[] = {
        {"Shape1", qx7::Retangulo(120, 360, 1455, 855), QColor(255, 224, 192)},
        {"Altura_Líquido", qx7::Retangulo(120, 360, 1455, 855), cinza},
        {"Shape2", qx7::Retangulo(360, 240, 135, 135), cinza},
        {"Shape3", qx7::Retangulo(1200, 240, 135, 135), cinza},
    };
    for (const Forma& forma : formas) {
        auto* controle = quadro->findChild<qx7::Forma_Preenchida*>(QString::fromUtf8(forma.nome));
        ASSERT_NE(controle, nullptr) << forma.nome;
        EXPECT_EQ(controle->geometry(), forma.onde) << forma.nome;
        EXPECT_EQ(controle->Cor(), forma.cor) << forma.nome;
    }
    // The body is at the bottom of the drawing order, the empty share above it.
    const QObjectList filhos = quadro->children();
    const auto posicao = [&](const char* nome) {
        return filhos.indexOf(quadro->findChild<QWidget*>(QString::fromUtf8(nome)));
    };
    EXPECT_LT(posicao("Shape1"), posicao("Altura_Líquido"));
    EXPECT_LT(posicao("Shape1"), posicao("Shape2"));

    auto* rotulo = quadro->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(rotulo, nullptr);
    EXPECT_EQ(rotulo->text(), QStringLiteral("Com Produto"));
    EXPECT_EQ(rotulo->geometry(), qx7::Retangulo(1680, 480, 735, 495));
    EXPECT_TRUE(rotulo->wordWrap());
    EXPECT_TRUE(rotulo->font().bold());
    auto* percentual = quadro->findChild<QLineEdit*>(QStringLiteral("Percentual"));
    ASSERT_NE(percentual, nullptr);
    EXPECT_EQ(percentual->geometry(), qx7::Retangulo(1680, 960, 735, 285));
    EXPECT_TRUE(percentual->isReadOnly());
    EXPECT_EQ(percentual->alignment(), Qt::AlignCenter);
}

TEST(Desenho_Layout, BeforeTheFirstActivationTheLevelIsFullHeight) {
    Variaveis_Programa v;
    Form2 tela(v);
    auto* quadro = tela.findChild<Quadro_Tanque*>(QStringLiteral("Frame1_0"));
    EXPECT_FLOAT_EQ(quadro->Altura_Liquido_Twips(), 855.0f);
}

}  // namespace
