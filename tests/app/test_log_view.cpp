// The log view over a growing log: it follows the end only when the operator is there, keeps
// the operator's place otherwise, and what it shows on screen after each line, without the
// event loop running, is what a full repaint of the same state shows.

#include <gtest/gtest.h>
#include <QBackingStore>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <string>

#include "app/log_model.h"
#include "app/log_view.h"

namespace qx7 {
namespace {

std::string Linha_Numero(int i) {
    return "linha " + std::to_string(i) + " \x02" + "ID02\x03";
}

struct Log_Na_Tela {
    explicit Log_Na_Tela(Modelo_Log* proprio = nullptr) : modelo(proprio ? *proprio : padrao) {
        vista.setModel(&modelo);
        vista.resize(300, 120);
        vista.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&vista));
    }

    void Encher(int linhas) {
        for (int i = 0; i < linhas; ++i) {
            registro.Adicionar(Linha_Numero(proxima++));
        }
    }

    // The viewport's pixels as they are in the window's buffer now.
    QImage Na_Tela() const {
        const auto* buffer = dynamic_cast<const QImage*>(vista.backingStore()->paintDevice());
        if (buffer == nullptr) {
            ADD_FAILURE() << "the window's buffer is not an image";
            return {};
        }
        const QPoint origem = vista.viewport()->mapTo(&vista, QPoint(0, 0));
        return buffer->copy(QRect(origem, vista.viewport()->size()))
            .convertToFormat(QImage::Format_RGB32);
    }

    // The same viewport painted from nothing.
    QImage Pintura_Nova() const {
        return vista.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    int Linha_No_Topo() const { return vista.indexAt(QPoint(5, 1)).row(); }

    bool Visivel(int linha) const {
        return vista.viewport()->rect().contains(vista.visualRect(modelo.index(linha)));
    }

    Modelo_Log padrao;
    Modelo_Log& modelo;
    Vista_Log vista;
    Registro_Log registro{modelo, vista};
    int proxima = 0;
};

enum class Lugar { Fim, Meio, Topo };

struct Caso_Rolagem {
    const char* nome;
    Lugar lugar;
};

class Rolagem : public testing::TestWithParam<Caso_Rolagem> {};

TEST_P(Rolagem, Segue_O_Fim_So_Quando_O_Operador_Esta_Nele) {
    Log_Na_Tela t;
    t.Encher(60);
    QCoreApplication::processEvents();  // the operator scrolls from the event loop
    switch (GetParam().lugar) {
        case Lugar::Fim:
            t.vista.scrollToBottom();
            break;
        case Lugar::Meio:
            t.vista.scrollTo(t.modelo.index(20, 0), QAbstractItemView::PositionAtTop);
            break;
        case Lugar::Topo:
            t.vista.scrollToTop();
            break;
    }
    QCoreApplication::processEvents();
    const int topo = t.Linha_No_Topo();
    ASSERT_GE(topo, 0);
    for (int i = 0; i < 7; ++i) {
        t.Encher(1);
        // No event processing: the screen is already up to date after every line.
        ASSERT_EQ(t.Na_Tela(), t.Pintura_Nova()) << "after line " << i;
    }
    const int ultima = t.modelo.rowCount() - 1;
    if (GetParam().lugar == Lugar::Fim) {
        EXPECT_TRUE(t.Visivel(ultima));
        EXPECT_EQ(t.Linha_No_Topo(), topo + 7);
    } else {
        EXPECT_FALSE(t.Visivel(ultima));
        EXPECT_EQ(t.Linha_No_Topo(), topo);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(t.vista.verticalScrollBar()->value() == t.vista.verticalScrollBar()->maximum(),
              GetParam().lugar == Lugar::Fim);
}

INSTANTIATE_TEST_SUITE_P(Lugares, Rolagem,
                         testing::Values(Caso_Rolagem{"fim", Lugar::Fim},
                                         Caso_Rolagem{"meio", Lugar::Meio},
                                         Caso_Rolagem{"topo", Lugar::Topo}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Vista_Log, Limpar_Esvazia_A_Vista) {
    Log_Na_Tela t;
    t.Encher(40);
    t.vista.scrollToBottom();
    QCoreApplication::processEvents();
    t.modelo.Limpar();
    t.vista.Redesenhar_Agora();
    EXPECT_EQ(t.Na_Tela(), t.Pintura_Nova());
    EXPECT_FALSE(t.vista.indexAt(QPoint(5, 1)).isValid());
    EXPECT_EQ(t.vista.verticalScrollBar()->maximum(), 0);
    t.Encher(1);
    EXPECT_EQ(t.Linha_No_Topo(), 0);
    EXPECT_EQ(t.Na_Tela(), t.Pintura_Nova());
}

TEST(Vista_Log, Bloco_Descartado_Nao_Deixa_Linha_Velha_Na_Tela) {
    for (const Lugar lugar : {Lugar::Fim, Lugar::Meio}) {
        Modelo_Log modelo(8, 3);  // at most 24 lines, dropped 8 at a time
        Log_Na_Tela t(&modelo);
        t.Encher(24);
        QCoreApplication::processEvents();
        if (lugar == Lugar::Fim) {
            t.vista.scrollToBottom();
        } else {
            t.vista.scrollTo(t.modelo.index(10, 0), QAbstractItemView::PositionAtTop);
        }
        QCoreApplication::processEvents();
        const std::string no_topo(t.modelo.Linha(t.Linha_No_Topo()));
        t.Encher(1);  // drops lines 0 to 7
        ASSERT_EQ(t.modelo.rowCount(), 17);
        EXPECT_EQ(t.Na_Tela(), t.Pintura_Nova());
        if (lugar == Lugar::Fim) {
            EXPECT_TRUE(t.Visivel(16));
        } else {
            EXPECT_EQ(t.modelo.Linha(t.Linha_No_Topo()), no_topo);  // the same line stays put
        }
        t.Encher(30);  // several more drops
        EXPECT_EQ(t.Na_Tela(), t.Pintura_Nova());
        EXPECT_LE(t.modelo.rowCount(), 24);
    }
}

TEST(Vista_Log, Clique_E_Teclas_Selecionam_Linhas) {
    Log_Na_Tela t;
    t.Encher(50);
    QCoreApplication::processEvents();  // the operator scrolls from the event loop
    t.vista.scrollToTop();
    const QRect terceira = t.vista.visualRect(t.modelo.index(2, 0));
    QTest::mouseClick(t.vista.viewport(), Qt::LeftButton, {}, terceira.center());
    EXPECT_EQ(t.vista.currentIndex().row(), 2);
    EXPECT_TRUE(t.vista.selectionModel()->isRowSelected(2, {}));
    t.Encher(3);  // new lines leave the selection alone
    EXPECT_TRUE(t.vista.selectionModel()->isRowSelected(2, {}));
    QTest::keyClick(&t.vista, Qt::Key_End);
    EXPECT_EQ(t.vista.currentIndex().row(), 52);
    EXPECT_TRUE(t.Visivel(52));
    QTest::keyClick(&t.vista, Qt::Key_Up);
    EXPECT_EQ(t.vista.currentIndex().row(), 51);
    QCoreApplication::processEvents();  // moves and selection are drawn by the event loop
    EXPECT_EQ(t.Na_Tela(), t.Pintura_Nova());
}

}  // namespace
}  // namespace qx7
