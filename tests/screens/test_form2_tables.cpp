#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <string>
#include <vector>

#include "gauge/shared_tables.h"
#include "screens/inventory/form2.h"
#include "text/decimal_separator.h"
#include "widgets/grid.h"
#include "widgets/twips.h"

namespace {

using qx7::Form2;
using qx7::Grade;
using qx7::Variaveis_Programa;

struct Leitura_Tanque {
    int tanque;
    std::string medido;
    std::string complementar;
    std::string produto;
};

void Gravar(Variaveis_Programa& v, const Leitura_Tanque& l) {
    char numero[8];
    std::snprintf(numero, sizeof numero, "%03d", l.tanque);
    v.Tabela_Tanques[static_cast<std::size_t>(l.tanque)] = {
        numero, l.medido, l.complementar, "0.85", l.produto, "05/03/18", "12:34:56", "010000"};
}

Grade& Tabela(Form2& tela, const char* nome) {
    auto* grade = tela.findChild<Grade*>(QString::fromUtf8(nome));
    EXPECT_NE(grade, nullptr) << nome;
    return *grade;
}

struct Linha_Produto {
    std::string produto;
    std::string medido;
    std::string complementar;
};

std::vector<Linha_Produto> Produtos(Form2& tela) {
    Grade& inventario = Tabela(tela, "Inventário");
    std::vector<Linha_Produto> linhas;
    for (int r = 1; r < inventario.Rows(); ++r) {
        if (inventario.TextMatrix(r, 0).empty() && inventario.TextMatrix(r, 1).empty()) {
            continue;
        }
        linhas.push_back({inventario.TextMatrix(r, 0), inventario.TextMatrix(r, 1),
                          inventario.TextMatrix(r, 2)});
    }
    return linhas;
}

bool operator==(const Linha_Produto& a, const Linha_Produto& b) {
    return a.produto == b.produto && a.medido == b.medido && a.complementar == b.complementar;
}

void PrintTo(const Linha_Produto& l, std::ostream* saida) {
    *saida << "{" << l.produto << "|" << l.medido << "|" << l.complementar << "}";
}

class Form2_Tabelas : public ::testing::Test {
  protected:
    void Abrir(const std::vector<Leitura_Tanque>& leituras) {
        for (const Leitura_Tanque& l : leituras) {
            Gravar(v, l);
        }
        tela.Atualizar();
    }

    Variaveis_Programa v;
    qx7::Separador_Decimal_Fixo ponto{'.'};
    Form2 tela{v};
};

TEST_F(Form2_Tabelas, HeadersWidthsAndSizes) {
    tela.Atualizar();
    Grade& leitura = Tabela(tela, "Leitura");
    Grade& inventario = Tabela(tela, "Inventário");
    EXPECT_EQ(leitura.Rows(), 17);
    EXPECT_EQ(leitura.Cols(), 7);
    EXPECT_EQ(inventario.Rows(), 9);
    EXPECT_EQ(inventario.Cols(), 3);
    const char* titulos[] = {"Tanque", "VolMed", "VolCpl", "Densidade", "Produto", "Data", "Hora"};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(leitura.TextMatrix(0, c), titulos[c]);
        EXPECT_EQ(leitura.ColAlignment(c), qx7::Alinhamento_Centro_Centro);
        EXPECT_EQ(leitura.columnWidth(c), qx7::Pixels(c == 6 ? 1000 : 900));
    }
    const char* produtos[] = {"Produto", "VolMed", "VolCpl"};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(inventario.TextMatrix(0, c), produtos[c]);
        EXPECT_EQ(inventario.ColAlignment(c), qx7::Alinhamento_Centro_Centro);
        EXPECT_EQ(inventario.columnWidth(c), qx7::Pixels(1000));
    }
}

TEST_F(Form2_Tabelas, NoTankPresentShowsOnlyHeadersAndNoDrawing) {
    v.Tabela_Tanques[0][0] = "000";  // slot 0 is never read
    v.Tabela_Tanques[5][0] = "   ";  // blanks only: absent
    v.Tabela_Tanques[5][4] = "DI";
    tela.Atualizar();
    Grade& leitura = Tabela(tela, "Leitura");
    for (int t = 1; t <= 16; ++t) {
        for (int c = 0; c < 7; ++c) {
            ASSERT_EQ(leitura.TextMatrix(t, c), "") << t << "," << c;
        }
        EXPECT_TRUE(tela.findChild<QGroupBox*>(QStringLiteral("Frame1_%1").arg(t - 1))->isHidden());
    }
    EXPECT_TRUE(Produtos(tela).empty());
}

TEST_F(Form2_Tabelas, OnlyTanksTwoAndSevenFillTheirRows) {
    Abrir({{2, "001500", "000500", "DI"}, {7, "0015.5", "15,5", "GA"}});
    Grade& leitura = Tabela(tela, "Leitura");
    const std::vector<std::string> dois = {"002", "001500",   "000500",  "0.85",
                                           "DI",  "05/03/18", "12:34:56"};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(leitura.TextMatrix(2, c), dois[static_cast<std::size_t>(c)]);
    }
    EXPECT_EQ(leitura.TextMatrix(7, 1), "0015.5");
    EXPECT_EQ(leitura.TextMatrix(7, 2), "15,5");
    for (int t : {1, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16}) {
        for (int c = 0; c < 7; ++c) {
            ASSERT_EQ(leitura.TextMatrix(t, c), "") << t << "," << c;
        }
    }
}

TEST_F(Form2_Tabelas, FieldsAreShownExactlyWithoutTrimming) {
    v.Tabela_Tanques[4] = {" 4 ", "  1500", "0500  ", ".85 ", "D ", "5/3/18", "1:2:3", "x"};
    tela.Atualizar();
    Grade& leitura = Tabela(tela, "Leitura");
    EXPECT_EQ(leitura.TextMatrix(4, 0), " 4 ");
    EXPECT_EQ(leitura.TextMatrix(4, 1), "  1500");
    EXPECT_EQ(leitura.TextMatrix(4, 2), "0500  ");
    EXPECT_EQ(leitura.TextMatrix(4, 3), ".85 ");
    EXPECT_EQ(leitura.TextMatrix(4, 4), "D ");
    EXPECT_EQ(leitura.TextMatrix(4, 5), "5/3/18");
    EXPECT_EQ(leitura.TextMatrix(4, 6), "1:2:3");
}

struct Caso_Produtos {
    const char* nome;
    std::vector<Leitura_Tanque> leituras;
    std::vector<Linha_Produto> esperado;
};

class Form2_Produtos : public Form2_Tabelas, public ::testing::WithParamInterface<Caso_Produtos> {};

TEST_P(Form2_Produtos, TotalsPerProductInOrderOfFirstTank) {
    Abrir(GetParam().leituras);
    EXPECT_EQ(Produtos(tela), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Form2_Produtos,
    ::testing::Values(
        Caso_Produtos{"DiAndGaInOrderOfFirstAppearance",
                      {{1, "100", "10", "DI"},
                       {2, "200", "20", "GA"},
                       {4, "300", "30", "DI"},
                       {9, "400", "40", "DI"}},
                      {{"DI", "800", "80"}, {"GA", "200", "20"}}},
        Caso_Produtos{"TanksThreeAndSixteenAreSummed",
                      {{3, "1000", "1", "AL"}, {16, "2000", "2", "AL"}},
                      {{"AL", "3000", "3"}}},
        Caso_Produtos{"CaseAndBlanksMakeDifferentProducts",
                      {{1, "1", "1", "DI"},
                       {2, "2", "2", "di"},
                       {3, "3", "3", "D "},
                       {4, "4", "4", " D"},
                       {5, "5", "5", "DI"}},
                      {{"DI", "6", "6"}, {"di", "2", "2"}, {"D ", "3", "3"}, {" D", "4", "4"}}},
        Caso_Produtos{"AccentsCount",
                      {{1, "1", "1", "\xC1G"}, {2, "2", "2", "AG"}},
                      {{"\xC1G", "1", "1"}, {"AG", "2", "2"}}},
        Caso_Produtos{
            "EmptyProductIsAProductToo", {{2, "7", "3", ""}, {5, "1", "1", ""}}, {{"", "8", "4"}}},
        Caso_Produtos{"VolumeTexts",
                      {{1, "001500", "0015.5", "A1"},
                       {2, "0015.5", "15,5", "A2"},
                       {3, "15,5", "", "A3"},
                       {4, "", "abc", "A4"},
                       {5, "  1 5", "-2", "A5"}},
                      {{"A1", "1500", "15.5"},
                       {"A2", "15.5", "15"},
                       {"A3", "15", "0"},
                       {"A4", "0", "0"},
                       {"A5", "15", "-2"}}},
        Caso_Produtos{"DoubleAndSinglePrecisionTotals",
                      {{1, "1.23456789", "1.23456789", "PR"}},
                      {{"PR", "1.23456789", "1.234568"}}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Form2_Tabelas, SingleTotalIsRoundedToSinglePrecisionAfterEveryAddition) {
    // Above 2^24 a single holds only even numbers: each + 3 becomes + 4, while the double
    // total keeps every unit.
    std::vector<Leitura_Tanque> leituras = {{1, "16777216", "16777216", "PR"}};
    for (int t = 2; t <= 16; ++t) {
        leituras.push_back({t, "3", "3", "PR"});
    }
    Abrir(leituras);
    const auto linhas = Produtos(tela);
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].medido, "16777261");
    EXPECT_EQ(linhas[0].complementar, "1.677728E+07");
}

struct Caso_Separador {
    char separador;
    const char* total;
};

class Form2_Separador : public ::testing::TestWithParam<Caso_Separador> {};

TEST_P(Form2_Separador, TotalUsesTheRegionalSeparator) {
    Variaveis_Programa v;
    Gravar(v, {1, "150", "10", "DI"});
    Gravar(v, {2, "250.5", "0.5", "DI"});
    qx7::Separador_Decimal_Fixo separador(GetParam().separador);
    Form2 tela(v);
    tela.Atualizar();
    EXPECT_EQ(Tabela(tela, "Inventário").TextMatrix(1, 1), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(Separadores, Form2_Separador,
                         ::testing::Values(Caso_Separador{'.', "400.5"},
                                           Caso_Separador{',', "400,5"}));

TEST(Separador_Decimal, FollowsTheSystemUnlessHeldAndComesBack) {
    const char sistema = qx7::Separador_Decimal();
    EXPECT_TRUE(sistema == '.' || sistema == ',') << sistema;
    {
        qx7::Separador_Decimal_Fixo virgula(',');
        EXPECT_EQ(qx7::Separador_Decimal(), ',');
        {
            qx7::Separador_Decimal_Fixo ponto('.');
            EXPECT_EQ(qx7::Separador_Decimal(), '.');
        }
        EXPECT_EQ(qx7::Separador_Decimal(), ',');
    }
    EXPECT_EQ(qx7::Separador_Decimal(), sistema);
}

struct Caso_Regional {
    QLocale::Language lingua;
    QLocale::Territory pais;
    char esperado;
};

class Separador_Regional : public ::testing::TestWithParam<Caso_Regional> {};

// Arabic and Persian separators have no byte in the code page: the point, never the byte the
// converter puts in their place.
TEST_P(Separador_Regional, FallsBackToThePointWhenTheCodePageHasNoByte) {
    const QLocale regional(GetParam().lingua, GetParam().pais);
    EXPECT_EQ(qx7::Separador_Na_Pagina(regional.decimalPoint()), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Regioes, Separador_Regional,
                         ::testing::Values(Caso_Regional{QLocale::Portuguese, QLocale::Brazil, ','},
                                           Caso_Regional{QLocale::English, QLocale::UnitedStates,
                                                         '.'},
                                           Caso_Regional{QLocale::Arabic, QLocale::Egypt, '.'},
                                           Caso_Regional{QLocale::Persian, QLocale::Iran, '.'}));

TEST_F(Form2_Tabelas, TotalPastTheRangeShowsTheMarkAndTheRestStaysRight) {
    v.Tabela_Tanques[1] = {"001", "1E308", "1E308", "0.85", "DI", "05/03/18", "12:00:00", ""};
    v.Tabela_Tanques[2] = {"002", "1E308", "000250", "0.85", "DI", "05/03/18", "12:00:00", ""};
    v.Tabela_Tanques[3] = {"003", "000750", "000250", "0.85", "GA", "05/03/18", "12:00:00", ""};
    tela.Atualizar();
    const auto& inventario = Tabela(tela, "Inventário");
    EXPECT_EQ(inventario.TextMatrix(1, 1), "#####");
    EXPECT_EQ(inventario.TextMatrix(1, 2), "#####");
    EXPECT_EQ(inventario.TextMatrix(2, 1), "750");
    EXPECT_EQ(inventario.TextMatrix(2, 2), "250");
    const auto percentual = [&](int tanque) {
        const auto* quadro =
            tela.findChild<QGroupBox*>(QStringLiteral("Frame1_%1").arg(tanque - 1));
        return quadro->findChild<QLineEdit*>(QStringLiteral("Percentual"))->text();
    };
    EXPECT_EQ(percentual(1), QStringLiteral("50.%"));
    EXPECT_EQ(percentual(2), QStringLiteral("100.%"));
    EXPECT_EQ(percentual(3), QStringLiteral("75.%"));
}

struct Caso_Grade {
    const char* nome;
    int produtos;
};

class Form2_Sem_Rolagem : public ::testing::TestWithParam<Caso_Grade> {};

// Sixteen tanks with up to sixteen products: both grids show every cell whole, no scroll bar,
// and the drawings below the product table keep their places relative to each other.
TEST_P(Form2_Sem_Rolagem, EveryCellInsideTheViewportAndNoScrollBar) {
    Variaveis_Programa v;
    for (int t = 1; t <= 16; ++t) {
        Gravar(v, {t, "000750", "000250", "P" + std::to_string((t - 1) % GetParam().produtos)});
    }
    Form2 tela(v);
    tela.show();
    for (const char* nome : {"Leitura", "Inventário"}) {
        Grade& grade = Tabela(tela, nome);
        EXPECT_FALSE(grade.verticalScrollBar()->isVisible()) << nome;
        EXPECT_FALSE(grade.horizontalScrollBar()->isVisible()) << nome;
        const QRect vista = grade.viewport()->rect();
        for (int r = 0; r < grade.rowCount(); ++r) {
            for (int c = 0; c < grade.columnCount(); ++c) {
                EXPECT_TRUE(vista.contains(grade.visualRect(grade.model()->index(r, c))))
                    << nome << " row " << r + 1 << " col " << c;
            }
        }
        // The grid and its frame stay inside the window.
        const QRect na_janela(grade.mapTo(&tela, QPoint()), grade.size());
        EXPECT_TRUE(tela.rect().contains(na_janela)) << nome;
    }
    EXPECT_EQ(Tabela(tela, "Inventário").TextMatrix(GetParam().produtos, 0),
              "P" + std::to_string(GetParam().produtos - 1));
    const auto* primeiro = tela.findChild<QWidget*>(QStringLiteral("Frame1_0"));
    const auto* ultimo = tela.findChild<QWidget*>(QStringLiteral("Frame1_15"));
    EXPECT_EQ(ultimo->pos() - primeiro->pos(),
              qx7::Retangulo(7560, 8520, 0, 0).topLeft() - qx7::Retangulo(0, 4560, 0, 0).topLeft());
    EXPECT_TRUE(tela.rect().contains(ultimo->geometry()));
    const QRect produtos = Tabela(tela, "Inventário").parentWidget()->geometry();
    const auto* imprimir = tela.findChild<QWidget*>(QStringLiteral("Imprimir"));
    EXPECT_FALSE(produtos.intersects(imprimir->geometry()));
    EXPECT_LE(imprimir->geometry().bottom(), primeiro->y());
}

INSTANTIATE_TEST_SUITE_P(Produtos, Form2_Sem_Rolagem,
                         ::testing::Values(Caso_Grade{"Oito", 8}, Caso_Grade{"Doze", 12},
                                           Caso_Grade{"Dezesseis", 16}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Form2_Tabelas, MoreThanEightProductsGetMoreRows) {
    std::vector<Leitura_Tanque> leituras;
    std::vector<Linha_Produto> esperado;
    for (int t = 1; t <= 11; ++t) {
        const std::string produto = "P" + std::to_string(t);
        leituras.push_back({t, std::to_string(t * 10), std::to_string(t), produto});
        esperado.push_back({produto, std::to_string(t * 10), std::to_string(t)});
    }
    Abrir(leituras);
    EXPECT_EQ(Tabela(tela, "Inventário").Rows(), 12);
    EXPECT_EQ(Produtos(tela), esperado);
}

TEST_F(Form2_Tabelas, EightProductsKeepNineRows) {
    std::vector<Leitura_Tanque> leituras;
    for (int t = 1; t <= 8; ++t) {
        leituras.push_back({t, "1", "1", "P" + std::to_string(t)});
    }
    Abrir(leituras);
    EXPECT_EQ(Tabela(tela, "Inventário").Rows(), 9);
    EXPECT_EQ(Produtos(tela).size(), 8u);
}

TEST_F(Form2_Tabelas, EveryRefreshRebuildsFromTheCurrentTable) {
    Abrir({{1, "11", "1", "DI"}, {5, "12", "2", "GA"}});
    for (int t = 1; t <= 11; ++t) {
        Gravar(v, {t, "1", "1", "X" + std::to_string(t)});
    }
    tela.Atualizar();
    v.Tabela_Tanques = {};
    Gravar(v, {2, "33", "3", "DI"});
    tela.Atualizar();
    Grade& leitura = Tabela(tela, "Leitura");
    EXPECT_EQ(leitura.TextMatrix(1, 0), "");
    EXPECT_EQ(leitura.TextMatrix(5, 0), "");
    EXPECT_EQ(leitura.TextMatrix(2, 1), "33");
    EXPECT_EQ(Tabela(tela, "Inventário").Rows(), 9);
    EXPECT_EQ(Produtos(tela), (std::vector<Linha_Produto>{{"DI", "33", "3"}}));
}

}  // namespace
