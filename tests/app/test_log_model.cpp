// The communication log: lines kept as given, drawn visibly, limited by dropping the oldest
// block, and shown before Adicionar returns.

#include <gtest/gtest.h>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <set>

#include "app/log_model.h"
#include "app/log_view.h"
#include "text/visible_text.h"

namespace qx7 {
namespace {

std::string Linha_Numero(int i) {
    return "linha " + std::to_string(i);
}

TEST(Modelo_Log, Acrescenta_No_Fim_Em_Ordem) {
    Modelo_Log modelo;
    for (int i = 0; i < 3; ++i) {
        modelo.Adicionar(Linha_Numero(i));
    }
    ASSERT_EQ(modelo.rowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(modelo.Linha(i), Linha_Numero(i));
        EXPECT_EQ(modelo.data(modelo.index(i)).toString().toStdString(), Linha_Numero(i));
    }
    EXPECT_EQ(modelo.Linha(3), "");
    EXPECT_FALSE(modelo.data(modelo.index(3)).isValid());
}

TEST(Modelo_Log, Capacidade_Padrao_De_Pelo_Menos_Um_Milhao) {
    Modelo_Log modelo;
    EXPECT_GE(modelo.Capacidade(), 1'000'000);
}

TEST(Modelo_Log, Cheio_Descarta_O_Bloco_Mais_Antigo) {
    Modelo_Log modelo(4, 3);  // blocks of 4 lines, at most 3 blocks
    ASSERT_EQ(modelo.Capacidade(), 12);
    for (int i = 0; i < 12; ++i) {
        modelo.Adicionar(Linha_Numero(i));
    }
    EXPECT_EQ(modelo.rowCount(), 12);
    QSignalSpy removidas(&modelo, &QAbstractItemModel::rowsRemoved);
    modelo.Adicionar(Linha_Numero(12));
    ASSERT_EQ(removidas.count(), 1);
    EXPECT_EQ(removidas.at(0).at(1).toInt(), 0);
    EXPECT_EQ(removidas.at(0).at(2).toInt(), 3);
    ASSERT_EQ(modelo.rowCount(), 9);
    EXPECT_EQ(modelo.Linha(0), Linha_Numero(4));
    EXPECT_EQ(modelo.Linha(7), Linha_Numero(11));
    EXPECT_EQ(modelo.Linha(8), Linha_Numero(12));
    // Keeps going for as long as lines come.
    for (int i = 13; i < 100; ++i) {
        modelo.Adicionar(Linha_Numero(i));
    }
    EXPECT_LE(modelo.rowCount(), 12);
    EXPECT_EQ(modelo.Linha(modelo.rowCount() - 1), Linha_Numero(99));
    EXPECT_EQ(modelo.Linha(0), Linha_Numero(100 - modelo.rowCount()));
}

struct Visivel {
    const char* caso;
    std::string bytes;
    std::u16string mostrado;
};

class Texto_Visivel_Casos : public testing::TestWithParam<Visivel> {};

TEST_P(Texto_Visivel_Casos, Controles_Pelo_Nome_E_Bytes_Intactos) {
    const Visivel& v = GetParam();
    Modelo_Log modelo;
    modelo.Adicionar(v.bytes);
    EXPECT_EQ(modelo.data(modelo.index(0), Qt::DisplayRole).toString(),
              QString::fromStdU16String(v.mostrado));
    const QByteArray guardado = modelo.data(modelo.index(0), Modelo_Log::Papel_Bytes).toByteArray();
    EXPECT_EQ(guardado.toStdString(), v.bytes);
    EXPECT_EQ(modelo.Linha(0), v.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Texto_Visivel_Casos,
    testing::Values(Visivel{"quadro_transmitido", "Tam.Msg.TX= 007 Msg.TX= \x02ID02\x03\x0C",
                            u"Tam.Msg.TX= 007 Msg.TX= <STX>ID02<ETX><FF>"},
                    Visivel{"ack_e_nak", "Msg.RX= \x06\x15", u"Msg.RX= <ACK><NAK>"},
                    Visivel{"nulo_e_del", std::string("a\0b\x7F", 4), u"a<NUL>b<DEL>"},
                    Visivel{"acentos_1252", "Recep\xE7\xE3o", u"Recepção"},
                    Visivel{"vazia", "", u""}),
    [](const testing::TestParamInfo<Visivel>& info) { return std::string(info.param.caso); });

TEST(Modelo_Log, Limpar_Esvazia_E_Recomeca) {
    Modelo_Log modelo(2, 2);
    for (int i = 0; i < 3; ++i) {
        modelo.Adicionar(Linha_Numero(i));
    }
    modelo.Limpar();
    EXPECT_EQ(modelo.rowCount(), 0);
    modelo.Adicionar("nova");
    EXPECT_EQ(modelo.rowCount(), 1);
    EXPECT_EQ(modelo.Linha(0), "nova");
}

// Records which rows were painted.
class Delegado_Contador : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
               const QModelIndex& indice) const override {
        pintadas.insert(indice.row());
        QStyledItemDelegate::paint(pintor, opcao, indice);
    }
    mutable std::set<int> pintadas;
};

TEST(Registro_Log, A_Linha_E_Desenhada_Antes_De_Voltar) {
    Modelo_Log modelo;
    Vista_Log vista;
    Delegado_Contador delegado;
    vista.setItemDelegate(&delegado);
    vista.setModel(&modelo);
    vista.resize(400, 150);
    vista.show();
    QCoreApplication::processEvents();
    Registro_Log registro(modelo, vista);
    registro.Adicionar("primeira");
    registro.Adicionar("segunda");
    // No event processing in between: the rows were painted inside Adicionar.
    EXPECT_TRUE(delegado.pintadas.count(0) == 1 && delegado.pintadas.count(1) == 1);
    EXPECT_EQ(modelo.rowCount(), 2);
}

TEST(Registro_Log, A_Vista_Nova_Segue_As_Linhas) {
    Modelo_Log modelo;
    Vista_Log vista;
    vista.setModel(&modelo);
    vista.resize(400, 100);
    vista.show();
    Registro_Log registro(modelo, vista);
    for (int i = 0; i < 200; ++i) {
        registro.Adicionar(Linha_Numero(i));
    }
    QCoreApplication::processEvents();
    EXPECT_GT(vista.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(vista.verticalScrollBar()->value(), vista.verticalScrollBar()->maximum());
    EXPECT_TRUE(vista.viewport()->rect().contains(vista.visualRect(modelo.index(199, 0))));
}

}  // namespace
}  // namespace qx7
