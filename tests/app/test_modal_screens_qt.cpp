// The Qt side of the panel's modal screens and of the start-up's question.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/modal_screens_qt.h"
#include "app/startup_qt.h"
#include "screens/inventory/form2.h"
#include "screens/setup/form3.h"

namespace qx7 {
namespace {

// Runs `acao` on the modal window that is open once the event loop turns.
template <typename Janela>
void No_Modal(std::function<void(Janela&)> acao) {
    QTimer::singleShot(0, [acao] {
        auto* janela = qobject_cast<Janela*>(QApplication::activeModalWidget());
        ASSERT_NE(janela, nullptr);
        acao(*janela);
    });
}

TEST(Telas_Qt, Senha_Abre_A_Abertura_QX7_E_Guarda_O_Digitado) {
    Variaveis_Programa variaveis;
    Telas_Qt telas(variaveis, nullptr);
    No_Modal<Form3>([](Form3& tela) {
        EXPECT_EQ(tela.windowTitle(), "Abertura QX7");
        tela.findChild<QLineEdit*>(QStringLiteral("Senha"))->setText(QStringLiteral("x Y"));
        tela.findChild<QToolButton*>(QStringLiteral("Validar_Senha"))->click();
    });
    telas.Abrir_Senha();
    EXPECT_EQ(variaveis.Senha_Usuario, "x Y");
}

TEST(Telas_Qt, Inventario_Aberto_E_Atualizado_Em_Vez_De_Abrir_Outro) {
    Variaveis_Programa variaveis;
    Telas_Qt telas(variaveis, nullptr);
    int vistas = 0;
    No_Modal<Form2>([&](Form2& tela) {
        EXPECT_EQ(telas.Inventario_Aberto(), &tela);
        telas.Abrir_Inventario();  // returns at once: the open screen is refreshed
        int abertas = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            abertas += qobject_cast<Form2*>(w) != nullptr && w->isVisible() ? 1 : 0;
        }
        vistas = abertas;
        tela.reject();
    });
    telas.Abrir_Inventario();
    EXPECT_EQ(vistas, 1);
    EXPECT_EQ(telas.Inventario_Aberto(), nullptr);
}

TEST(Telas_Qt, Aviso_Mostra_Texto_E_Titulo) {
    Variaveis_Programa variaveis;
    Telas_Qt telas(variaveis, nullptr);
    QString texto;
    QString titulo;
    No_Modal<QMessageBox>([&](QMessageBox& caixa) {
        texto = caixa.text();
        titulo = caixa.windowTitle();
        EXPECT_EQ(caixa.icon(), QMessageBox::Information);
        caixa.button(QMessageBox::Ok)->click();
    });
    telas.Aviso("Digitar data no formato DDMMAA!", "Aviso");
    EXPECT_EQ(texto, "Digitar data no formato DDMMAA!");
    EXPECT_EQ(titulo, "Aviso");
}

struct Resposta {
    const char* botao;
    bool sai;
};

class Pergunta_De_Saida : public testing::TestWithParam<Resposta> {};

TEST_P(Pergunta_De_Saida, Sim_Sai_Nao_Fica) {
    const Resposta& r = GetParam();
    No_Modal<QMessageBox>([&r](QMessageBox& caixa) {
        EXPECT_EQ(caixa.text(),
                  QString::fromUtf8("Nenhuma porta serial utilizável foi configurada. Deseja "
                                    "sair do programa?"));
        for (QAbstractButton* b : caixa.buttons()) {
            if (b->text() == QString::fromUtf8(r.botao)) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << r.botao;
        caixa.reject();
    });
    EXPECT_EQ(Perguntar_Saida(nullptr), r.sai);
}

INSTANTIATE_TEST_SUITE_P(Respostas, Pergunta_De_Saida,
                         testing::Values(Resposta{"Sim", true}, Resposta{"Não", false}));

}  // namespace
}  // namespace qx7
