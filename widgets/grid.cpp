#include "widgets/grid.h"

#include <QHeaderView>
#include <algorithm>

#include "text/qt_1252.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

namespace {

// The control's design-time size and its standard row height.
constexpr int Linhas_Iniciais = 30;
constexpr int Colunas_Iniciais = 40;
constexpr int Altura_Linha_Twips = 240;
constexpr int Alinhamento_Geral = 9;

Qt::Alignment Alinhamento_Qt(int valor) {
    static constexpr Qt::AlignmentFlag horizontais[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                        Qt::AlignRight};
    static constexpr Qt::AlignmentFlag verticais[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                      Qt::AlignBottom};
    if (valor < 0 || valor >= Alinhamento_Geral) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    return horizontais[valor / 3] | verticais[valor % 3];
}

}  // namespace

Grade::Grade(QWidget* parent) : QTableWidget(parent) {
    setFont(Sans_Serif());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // No border of its own: the grids are sized for their rows and columns, which the cell
    // grid lines already outline.
    setFrameStyle(QFrame::NoFrame);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(Pixels(Altura_Linha_Twips));
    horizontalHeader()->setFont(Sans_Serif());
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setFixedHeight(Pixels(Altura_Linha_Twips));
    Cols(Colunas_Iniciais);
    Rows(Linhas_Iniciais);
}

void Grade::Clear() {
    clearContents();
    for (int coluna = 0; coluna < columnCount(); ++coluna) {
        horizontalHeaderItem(coluna)->setText(QString());
    }
}

int Grade::Rows() const {
    return rowCount() + 1;
}

void Grade::Rows(int linhas) {
    setRowCount(std::max(linhas, 1) - 1);
}

int Grade::Cols() const {
    return columnCount();
}

void Grade::Cols(int colunas) {
    colunas = std::max(colunas, 0);
    const int antes = columnCount();
    setColumnCount(colunas);
    alinhamentos_.resize(static_cast<std::size_t>(colunas), Alinhamento_Geral);
    for (int coluna = antes; coluna < colunas; ++coluna) {
        setHorizontalHeaderItem(coluna, new QTableWidgetItem());
        Aplicar_Alinhamento(coluna);
    }
}

void Grade::ColAlignment(int coluna, int valor) {
    if (coluna < 0 || coluna >= columnCount()) {
        return;
    }
    alinhamentos_[static_cast<std::size_t>(coluna)] = valor;
    Aplicar_Alinhamento(coluna);
}

int Grade::ColAlignment(int coluna) const {
    if (coluna < 0 || coluna >= columnCount()) {
        return Alinhamento_Geral;
    }
    return alinhamentos_[static_cast<std::size_t>(coluna)];
}

void Grade::ColWidth(int coluna, int twips) {
    if (coluna >= 0 && coluna < columnCount()) {
        setColumnWidth(coluna, Pixels(twips));
    }
}

QSize Grade::Tamanho_Conteudo() const {
    const int borda = 2 * frameWidth();
    return {horizontalHeader()->length() + borda,
            horizontalHeader()->height() + verticalHeader()->length() + borda};
}

std::string Grade::TextMatrix(int linha, int coluna) const {
    const QTableWidgetItem* celula = Celula(linha, coluna);
    return celula == nullptr ? std::string() : Para_1252(celula->text());
}

void Grade::TextMatrix(int linha, int coluna, std::string_view texto) {
    if (linha < 0 || linha >= Rows() || coluna < 0 || coluna >= columnCount()) {
        return;
    }
    QTableWidgetItem* celula = Celula(linha, coluna);
    if (celula == nullptr) {
        celula = new QTableWidgetItem();
        celula->setTextAlignment(Alinhamento_Qt(ColAlignment(coluna)));
        setItem(linha - 1, coluna, celula);
    }
    celula->setText(De_1252(texto));
}

QTableWidgetItem* Grade::Celula(int linha, int coluna) const {
    if (linha < 0 || linha >= Rows() || coluna < 0 || coluna >= columnCount()) {
        return nullptr;
    }
    return linha == 0 ? horizontalHeaderItem(coluna) : item(linha - 1, coluna);
}

void Grade::Aplicar_Alinhamento(int coluna) {
    const Qt::Alignment alinhamento = Alinhamento_Qt(ColAlignment(coluna));
    for (int linha = 0; linha < Rows(); ++linha) {
        if (QTableWidgetItem* celula = Celula(linha, coluna)) {
            celula->setTextAlignment(alinhamento);
        }
    }
}

}  // namespace qx7
