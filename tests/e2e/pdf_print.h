#pragma once
// Printing a screen the way the operator does ("Imprimir"), with the default printer replaced
// by a PDF file, and what the file holds: its pages, rendered by pdftoppm.

#include <QString>

class QWidget;

namespace qx7::e2e {

// Routes the screen's printing to `caminho` and clicks its "Imprimir"; false when the screen
// is neither the inventory nor the results screen or the printing asked anything.
bool Imprimir_Em_Pdf(QWidget& tela, const QString& caminho);

struct Paginas_Pdf {
    int paginas = 0;
    // Share of the first page's pixels that are not white, 0 to 1.
    double tinta = 0;
};
Paginas_Pdf Ler_Pdf(const QString& caminho);

}  // namespace qx7::e2e
