#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gauge/shared_tables.h"
#include "screens/measurements/form6.h"
#include "widgets/twips.h"

namespace {

using qx7::Form6;
using qx7::Variaveis_Programa;

QLineEdit* Caixa(Form6& tela) {
    return tela.findChild<QLineEdit*>(QStringLiteral("Data_Medições"));
}

QPushButton* Solicitar(Form6& tela) {
    return tela.findChild<QPushButton*>(QStringLiteral("Solicitar_Medições"));
}

struct Caso_Data {
    const char* nome;
    QString digitado;
    std::string guardado;
};

class Form6_Confirmar : public ::testing::TestWithParam<Caso_Data> {};

TEST_P(Form6_Confirmar, StoresExactlyAsTypedAndCloses) {
    Variaveis_Programa v;
    v.Data_Solicitada = "010101";
    Form6 tela(v);
    tela.show();
    Caixa(tela)->setText(GetParam().digitado);
    Solicitar(tela)->click();
    EXPECT_EQ(v.Data_Solicitada, GetParam().guardado);
    EXPECT_FALSE(tela.isVisible());
    EXPECT_EQ(tela.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Form6_Confirmar,
    ::testing::Values(Caso_Data{"SixDigits", QStringLiteral("050318"), "050318"},
                      Caso_Data{"BlanksAndLetters", QStringLiteral(" 05 a3 "), " 05 a3 "},
                      Caso_Data{"Empty", QString(), ""},
                      Caso_Data{"TooLong", QStringLiteral("05031999"), "05031999"},
                      Caso_Data{"AccentInTheCodePage", QStringLiteral("05ç318"),
                                "05\xE7"
                                "318"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Form6, CloseBoxStoresNothingAtTheFirstRequest) {
    Variaveis_Programa v;
    Form6 tela(v);
    tela.show();
    Caixa(tela)->setText(QStringLiteral("050318"));
    tela.close();
    EXPECT_EQ(v.Data_Solicitada, "");
    EXPECT_EQ(tela.result(), QDialog::Rejected);
}

TEST(Form6, CloseBoxKeepsTheEarlierDate) {
    Variaveis_Programa v;
    v.Data_Solicitada = "010218";
    Form6 tela(v);
    tela.show();
    Caixa(tela)->setText(QStringLiteral("050318"));
    tela.close();
    EXPECT_EQ(v.Data_Solicitada, "010218");
}

struct Caso_Fechar {
    const char* nome;
    std::function<void(Form6&)> fechar;
};

class Form6_Cancelar : public ::testing::TestWithParam<Caso_Fechar> {};

// The modal run the main panel makes: a date typed, then the screen closed without the button.
TEST_P(Form6_Cancelar, ClosingWithoutTheButtonCancelsAndKeepsTheEarlierDate) {
    Variaveis_Programa v;
    v.Data_Solicitada = "010218";
    v.Num_Medicoes = 7;
    Form6 tela(v);
    QTimer::singleShot(0, &tela, [&] {
        QTest::keyClicks(Caixa(tela), QStringLiteral("050318"));
        GetParam().fechar(tela);
    });
    EXPECT_EQ(tela.exec(), QDialog::Rejected);
    EXPECT_EQ(v.Data_Solicitada, "010218");
    EXPECT_EQ(v.Num_Medicoes, 7);
}

INSTANTIATE_TEST_SUITE_P(
    Modos, Form6_Cancelar,
    ::testing::Values(
        Caso_Fechar{"CloseBox", [](Form6& tela) { tela.close(); }},
        Caso_Fechar{"Escape", [](Form6& tela) { QTest::keyClick(Caixa(tela), Qt::Key_Escape); }}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Form6, EveryOpeningShowsAnEmptyBox) {
    Variaveis_Programa v;
    {
        Form6 primeira(v);
        Caixa(primeira)->setText(QStringLiteral("050318"));
        Solicitar(primeira)->click();
    }
    Form6 segunda(v);
    EXPECT_EQ(Caixa(segunda)->text(), QString());
    EXPECT_EQ(v.Data_Solicitada, "050318");
}

TEST(Form6, LayoutAndFocus) {
    Variaveis_Programa v;
    Form6 tela(v);
    EXPECT_EQ(tela.windowTitle(), QStringLiteral("Digitar Data"));
    EXPECT_EQ(tela.size(), qx7::Tamanho(3615, 2130));
    auto* rotulo = tela.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(rotulo, nullptr);
    EXPECT_EQ(rotulo->text(), QStringLiteral("Data das Medições"));
    EXPECT_EQ(rotulo->geometry(), qx7::Retangulo(240, 360, 1695, 255));
    EXPECT_TRUE(rotulo->font().bold());
    QLineEdit* caixa = Caixa(tela);
    ASSERT_NE(caixa, nullptr);
    EXPECT_EQ(caixa->geometry(), qx7::Retangulo(2040, 240, 1455, 495));
    EXPECT_DOUBLE_EQ(caixa->font().pointSizeF(), 18.0);
    EXPECT_FALSE(caixa->font().bold());
    EXPECT_EQ(caixa->maxLength(), QLineEdit().maxLength());
    EXPECT_EQ(caixa->inputMask(), QString());
    QPushButton* botao = Solicitar(tela);
    ASSERT_NE(botao, nullptr);
    EXPECT_EQ(botao->text(), QStringLiteral("Solicitar Medições"));
    EXPECT_EQ(botao->geometry(), qx7::Retangulo(1200, 1080, 1215, 735));
    EXPECT_EQ(botao->palette().color(QPalette::Button), QColor(255, 255, 192));
    EXPECT_TRUE(botao->font().bold());
    tela.show();
    EXPECT_EQ(tela.focusWidget(), caixa);
    EXPECT_EQ(caixa->nextInFocusChain(), botao);
}

TEST(Form6, EnterInTheBoxDoesNotConfirm) {
    Variaveis_Programa v;
    Form6 tela(v);
    EXPECT_FALSE(Solicitar(tela)->autoDefault());
    EXPECT_FALSE(Solicitar(tela)->isDefault());
}

}  // namespace
