// "Abertura QX7": the password is stored exactly as typed, only by "Conectar", and never shown.

#include <gtest/gtest.h>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "screens/setup/form3.h"

namespace qx7 {
namespace {

int Px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

// Types the text key by key; characters without a key of their own arrive as key text.
void Digitar(QLineEdit* caixa, const QString& texto) {
    for (const QChar c : texto) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(caixa, c.toLatin1());
        } else {
            QKeyEvent tecla(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(caixa, &tecla);
        }
    }
}

struct Tela {
    explicit Tela(std::string anterior = {}) {
        variaveis.Senha_Usuario = std::move(anterior);
        form.show();
        senha = form.findChild<QLineEdit*>(QStringLiteral("Senha"));
        conectar = form.findChild<QToolButton*>(QStringLiteral("Validar_Senha"));
    }
    Variaveis_Programa variaveis;
    Form3 form{variaveis};
    QLineEdit* senha = nullptr;
    QToolButton* conectar = nullptr;
};

struct Digitado {
    const char* caso;
    QString texto;
    std::string guardado;  // Windows-1252
};

class Form3_Confirma : public testing::TestWithParam<Digitado> {};

TEST_P(Form3_Confirma, Guarda_Exatamente_O_Digitado) {
    const Digitado& d = GetParam();
    Tela t("anterior");
    ASSERT_NE(t.senha, nullptr);
    ASSERT_NE(t.conectar, nullptr);
    Digitar(t.senha, d.texto);
    QTest::mouseClick(t.conectar, Qt::LeftButton);
    EXPECT_EQ(t.variaveis.Senha_Usuario, d.guardado);
    EXPECT_EQ(t.form.result(), QDialog::Accepted);
    EXPECT_FALSE(t.form.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Form3_Confirma,
    testing::Values(Digitado{"simples", "abc123", "abc123"},
                    Digitado{"brancos_e_caixa", " Ab C ", " Ab C "}, Digitado{"vazia", "", ""},
                    Digitado{"acento", QString::fromUtf8("Senhá"), "Senh\xE1"}),
    [](const testing::TestParamInfo<Digitado>& info) { return std::string(info.param.caso); });

TEST(Form3, Fechar_Pela_Caixa_Guarda_Nada) {
    Tela t("anterior");
    QTest::keyClicks(t.senha, "nova");
    t.form.close();
    EXPECT_EQ(t.variaveis.Senha_Usuario, "anterior");
    EXPECT_EQ(t.form.result(), QDialog::Rejected);
}

TEST(Form3, Escape_Guarda_Nada) {
    Tela t("anterior");
    QTest::keyClicks(t.senha, "nova");
    QTest::keyClick(t.senha, Qt::Key_Escape);
    EXPECT_EQ(t.variaveis.Senha_Usuario, "anterior");
    EXPECT_FALSE(t.form.isVisible());
}

TEST(Form3, Enter_Nao_Confirma) {
    Tela t("anterior");
    QTest::keyClicks(t.senha, "nova");
    QTest::keyClick(t.senha, Qt::Key_Return);
    QTest::keyClick(t.senha, Qt::Key_Enter);
    EXPECT_EQ(t.variaveis.Senha_Usuario, "anterior");
    EXPECT_TRUE(t.form.isVisible());
    EXPECT_TRUE(t.form.findChildren<QPushButton*>().isEmpty());  // no default button at all
}

TEST(Form3, Mostra_Asteriscos) {
    Tela t;
    QTest::keyClicks(t.senha, "segredo");
    EXPECT_EQ(t.senha->echoMode(), QLineEdit::Password);
    EXPECT_EQ(t.senha->displayText(), QString(7, QLatin1Char('*')));
    EXPECT_EQ(t.senha->text(), "segredo");
}

TEST(Form3, Abre_Vazia_Com_O_Foco_Na_Senha) {
    Tela t("anterior");
    EXPECT_TRUE(t.senha->text().isEmpty());
    EXPECT_EQ(t.form.focusWidget(), t.senha);
    EXPECT_EQ(t.senha->nextInFocusChain(), t.conectar);
}

TEST(Form3, Layout_Legendas_E_Fontes) {
    Tela t;
    EXPECT_EQ(t.form.windowTitle(), "Abertura QX7");
    EXPECT_EQ(t.form.size(), QSize(Px(3135), Px(2145)));
    EXPECT_FALSE(t.form.windowIcon().isNull());
    const auto* rotulo = t.form.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(rotulo, nullptr);
    EXPECT_EQ(rotulo->text(), QString::fromUtf8("Senha de Usuário"));
    EXPECT_EQ(rotulo->geometry(), QRect(Px(120), Px(360), Px(1575), Px(375)));
    EXPECT_TRUE(rotulo->font().bold());
    EXPECT_EQ(t.senha->geometry(), QRect(Px(1800), Px(240), Px(1215), Px(465)));
    EXPECT_DOUBLE_EQ(t.senha->font().pointSizeF(), 18.0);
    EXPECT_FALSE(t.senha->font().bold());
    EXPECT_EQ(t.conectar->text(), "Conectar");
    EXPECT_EQ(t.conectar->geometry(), QRect(Px(960), Px(1080), Px(1215), Px(735)));
    EXPECT_TRUE(t.conectar->font().bold());
    EXPECT_EQ(t.conectar->font().family(), "MS Sans Serif");
    EXPECT_EQ(t.conectar->palette().color(QPalette::Button), QColor(255, 255, 192));
    EXPECT_EQ(t.conectar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(t.conectar->icon().isNull());
}

}  // namespace
}  // namespace qx7
