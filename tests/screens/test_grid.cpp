#include "widgets/grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>

#include "widgets/twips.h"

namespace {

using qx7::Grade;

TEST(Grade, DesignTimeStateIsThirtyRowsByFortyColumnsEmpty) {
    Grade grade;
    EXPECT_EQ(grade.Rows(), 30);
    EXPECT_EQ(grade.Cols(), 40);
    for (int linha = 0; linha < 30; ++linha) {
        for (int coluna = 0; coluna < 40; ++coluna) {
            ASSERT_EQ(grade.TextMatrix(linha, coluna), "") << linha << "," << coluna;
        }
    }
}

TEST(Grade, RowZeroIsTheHeaderAndDataRowsFollow) {
    Grade grade;
    grade.Rows(17);
    grade.Cols(7);
    EXPECT_EQ(grade.rowCount(), 16);
    EXPECT_EQ(grade.columnCount(), 7);
    grade.TextMatrix(0, 2, "VolCpl");
    grade.TextMatrix(1, 2, "001500");
    grade.TextMatrix(16, 6, "12:00:00");
    EXPECT_EQ(grade.horizontalHeaderItem(2)->text(), QStringLiteral("VolCpl"));
    EXPECT_EQ(grade.item(0, 2)->text(), QStringLiteral("001500"));
    EXPECT_EQ(grade.item(15, 6)->text(), QStringLiteral("12:00:00"));
    EXPECT_EQ(grade.TextMatrix(0, 2), "VolCpl");
    EXPECT_EQ(grade.TextMatrix(1, 2), "001500");
    EXPECT_FALSE(grade.verticalHeader()->isVisibleTo(&grade));
}

TEST(Grade, TextsCrossInTheLinesCodePage) {
    Grade grade;
    const std::string produto = "Invent\xE1rio \xC7";  // "Inventário Ç" in Windows-1252
    grade.TextMatrix(3, 1, produto);
    grade.TextMatrix(0, 1, produto);
    EXPECT_EQ(grade.item(2, 1)->text(), QStringLiteral("Inventário Ç"));
    EXPECT_EQ(grade.horizontalHeaderItem(1)->text(), QStringLiteral("Inventário Ç"));
    EXPECT_EQ(grade.TextMatrix(3, 1), produto);
}

TEST(Grade, TextIsKeptExactlyWithBlanks) {
    Grade grade;
    grade.TextMatrix(1, 0, " D");
    grade.TextMatrix(2, 0, "D ");
    EXPECT_EQ(grade.TextMatrix(1, 0), " D");
    EXPECT_EQ(grade.TextMatrix(2, 0), "D ");
}

TEST(Grade, ClearEmptiesEveryCellAndKeepsTheDimensions) {
    Grade grade;
    grade.Rows(9);
    grade.Cols(3);
    grade.TextMatrix(0, 0, "Produto");
    grade.TextMatrix(8, 2, "400.5");
    grade.Clear();
    EXPECT_EQ(grade.Rows(), 9);
    EXPECT_EQ(grade.Cols(), 3);
    EXPECT_EQ(grade.TextMatrix(0, 0), "");
    EXPECT_EQ(grade.TextMatrix(8, 2), "");
}

TEST(Grade, CentreCentreAlignsExistingAndLaterCellsAndTheHeader) {
    Grade grade;
    grade.TextMatrix(1, 0, "antes");
    grade.ColAlignment(0, qx7::Alinhamento_Centro_Centro);
    grade.TextMatrix(2, 0, "depois");
    EXPECT_EQ(grade.ColAlignment(0), 4);
    const auto centro = static_cast<int>(Qt::AlignCenter);
    EXPECT_EQ(grade.item(0, 0)->textAlignment(), centro);
    EXPECT_EQ(grade.item(1, 0)->textAlignment(), centro);
    EXPECT_EQ(grade.horizontalHeaderItem(0)->textAlignment(), centro);
    grade.TextMatrix(1, 1, "outra");
    EXPECT_NE(grade.item(0, 1)->textAlignment(), centro);
}

TEST(Grade, AlignmentNumbersMapToQtAlignments) {
    struct Caso {
        int valor;
        Qt::Alignment esperado;
    };
    const Caso casos[] = {
        {0, Qt::AlignLeft | Qt::AlignTop},        {1, Qt::AlignLeft | Qt::AlignVCenter},
        {2, Qt::AlignLeft | Qt::AlignBottom},     {3, Qt::AlignHCenter | Qt::AlignTop},
        {4, Qt::AlignHCenter | Qt::AlignVCenter}, {5, Qt::AlignHCenter | Qt::AlignBottom},
        {6, Qt::AlignRight | Qt::AlignTop},       {7, Qt::AlignRight | Qt::AlignVCenter},
        {8, Qt::AlignRight | Qt::AlignBottom},    {9, Qt::AlignLeft | Qt::AlignVCenter},
    };
    for (const Caso& caso : casos) {
        Grade grade;
        grade.ColAlignment(5, caso.valor);
        grade.TextMatrix(1, 5, "x");
        EXPECT_EQ(grade.item(0, 5)->textAlignment(), static_cast<int>(caso.esperado)) << caso.valor;
    }
}

TEST(Grade, ColumnWidthIsGivenInTwips) {
    Grade grade;
    grade.ColWidth(0, 900);
    grade.ColWidth(6, 1000);
    EXPECT_EQ(grade.columnWidth(0), qx7::Pixels(900));
    EXPECT_EQ(grade.columnWidth(6), qx7::Pixels(1000));
}

TEST(Grade, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
    Grade grade;
    grade.Rows(3);
    grade.Cols(2);
    grade.TextMatrix(3, 0, "fora");
    grade.TextMatrix(0, 2, "fora");
    grade.TextMatrix(-1, 0, "fora");
    EXPECT_EQ(grade.TextMatrix(3, 0), "");
    EXPECT_EQ(grade.TextMatrix(0, 2), "");
    EXPECT_EQ(grade.TextMatrix(-1, -1), "");
    EXPECT_EQ(grade.Rows(), 3);
    EXPECT_EQ(grade.Cols(), 2);
}

TEST(Grade, ShrinkingAndGrowingKeepsTheRemainingCells) {
    Grade grade;
    grade.Rows(5);
    grade.Cols(5);
    grade.TextMatrix(2, 1, "fica");
    grade.TextMatrix(4, 4, "sai");
    grade.Rows(3);
    grade.Cols(2);
    grade.Rows(5);
    grade.Cols(5);
    EXPECT_EQ(grade.TextMatrix(2, 1), "fica");
    EXPECT_EQ(grade.TextMatrix(4, 4), "");
}

TEST(Grade, CellsCannotBeEditedByTheOperator) {
    Grade grade;
    EXPECT_EQ(grade.editTriggers(), QAbstractItemView::NoEditTriggers);
}

}  // namespace
