#pragma once
// The small grid the inventory and results screens use: the operations of the grid control
// they were laid out for (Clear, Rows, Cols, ColAlignment, ColWidth, TextMatrix), over a
// QTableWidget. Row 0 is the one fixed row and is drawn as the header, so it stays in view
// while the data rows scroll. Cell texts cross in the line's code page.

#include <QTableWidget>
#include <string>
#include <string_view>
#include <vector>

namespace qx7 {

// Column alignments by the control's numbers (0 left-top .. 8 right-bottom, 9 general).
inline constexpr int Alinhamento_Centro_Centro = 4;

class Grade : public QTableWidget {
    Q_OBJECT

  public:
    explicit Grade(QWidget* parent = nullptr);

    void Clear();  // empties every cell, the fixed row included; keeps the dimensions

    int Rows() const;  // the fixed row included
    void Rows(int linhas);
    int Cols() const;
    void Cols(int colunas);

    void ColAlignment(int coluna, int valor);
    int ColAlignment(int coluna) const;
    void ColWidth(int coluna, int twips);

    // The size that shows every row and column whole, with no scroll bar.
    QSize Tamanho_Conteudo() const;

    // Out-of-range cells read as empty and ignore writes.
    std::string TextMatrix(int linha, int coluna) const;
    void TextMatrix(int linha, int coluna, std::string_view texto);

  private:
    QTableWidgetItem* Celula(int linha, int coluna) const;
    void Aplicar_Alinhamento(int coluna);

    std::vector<int> alinhamentos_;
};

}  // namespace qx7
