#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

struct Caso_Botao {
    QMessageBox::StandardButton botao;
    const char* texto;
};

class Botoes_Padrao : public ::testing::TestWithParam<Caso_Botao> {};

TEST_P(Botoes_Padrao, MessageBoxButtonsSpeakPortuguese) {
    QMessageBox caixa(QMessageBox::Warning, QStringLiteral("Aviso"), QStringLiteral("Texto"),
                      GetParam().botao);
    const QAbstractButton* botao = caixa.button(GetParam().botao);
    ASSERT_NE(botao, nullptr);
    EXPECT_EQ(botao->text(), QString::fromUtf8(GetParam().texto));
}

INSTANTIATE_TEST_SUITE_P(Botoes, Botoes_Padrao,
                         ::testing::Values(Caso_Botao{QMessageBox::Cancel, "Cancelar"},
                                           Caso_Botao{QMessageBox::Yes, "&Sim"},
                                           Caso_Botao{QMessageBox::No, "&Não"},
                                           Caso_Botao{QMessageBox::Save, "Salvar"},
                                           Caso_Botao{QMessageBox::Close, "Fechar"}));

// The dialog Qt draws itself (offscreen there is no native one), as the PDF path opens it.
TEST(Traducoes_Qt, FileDialogSpeaksPortuguese) {
    QFileDialog dialogo(nullptr, QStringLiteral("Salvar como PDF"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.show();
    QStringList textos;
    for (const QDialogButtonBox* caixa : dialogo.findChildren<QDialogButtonBox*>()) {
        for (const QAbstractButton* botao : caixa->buttons()) {
            textos << botao->text();
        }
    }
    EXPECT_TRUE(textos.contains(QStringLiteral("Cancelar"))) << textos.join(u'|').toStdString();
    EXPECT_FALSE(textos.contains(QStringLiteral("Cancel"))) << textos.join(u'|').toStdString();
    EXPECT_FALSE(textos.contains(QStringLiteral("&Save"))) << textos.join(u'|').toStdString();
}

}  // namespace
