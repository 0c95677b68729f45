#include "screens/measurements/table_pages.h"

#include <QFont>
#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "widgets/grid.h"
#include "widgets/print.h"

namespace qx7 {

namespace {

// The grid laid out at its full height for as long as it prints, so no row is scrolled away.
class Grade_Esticada {
  public:
    Grade_Esticada(Grade& grade, int altura) : grade_(grade), antes_(grade.size()) {
        grade_.resize(grade_.width(), altura);
        grade_.scrollToTop();
    }
    ~Grade_Esticada() { grade_.resize(antes_); }
    Grade_Esticada(const Grade_Esticada&) = delete;
    Grade_Esticada& operator=(const Grade_Esticada&) = delete;

  private:
    Grade& grade_;
    QSize antes_;
};

}  // namespace

bool Desenhar_Em_Paginas(QWidget& janela, Grade& grade, int linhas, QPrinter& impressora) {
    const int altura_linha = grade.verticalHeader()->defaultSectionSize();
    const int cabecalho = grade.horizontalHeader()->height();
    const int necessaria = cabecalho + linhas * altura_linha + 2 * grade.frameWidth();
    if (linhas <= 0 || necessaria <= grade.height()) {
        return Desenhar_Janela(janela, impressora);
    }
    QPainter pintor;
    if (!pintor.begin(&impressora)) {
        return false;
    }
    const double escala = Escala_Da_Tela(impressora);
    pintor.scale(escala, escala);
    // The painter draws in screen pixels; the caption keeps its size on the screen.
    QFont fonte = janela.font();
    fonte.setPointSizeF(fonte.pointSizeF() / escala);
    pintor.setFont(fonte);
    const int altura_titulo = 2 * pintor.fontMetrics().height();
    const int altura_pagina = static_cast<int>(pintor.viewport().height() / escala);
    const int por_pagina = std::max(1, (altura_pagina - altura_titulo - cabecalho) / altura_linha);
    const int paginas = (linhas + por_pagina - 1) / por_pagina;
    const int largura = grade.width();

    const Grade_Esticada esticada(grade, necessaria);
    for (int p = 0; p < paginas; ++p) {
        if (p > 0 && !impressora.newPage()) {
            return false;
        }
        pintor.drawText(0, pintor.fontMetrics().ascent(),
                        QStringLiteral("%1    Página %2 de %3")
                            .arg(janela.windowTitle())
                            .arg(p + 1)
                            .arg(paginas));
        Desenhar_Widget(pintor, *grade.horizontalHeader(), QPoint(0, altura_titulo),
                        QRegion(0, 0, largura, cabecalho));
        const int primeira = p * por_pagina;
        const int quantas = std::min(por_pagina, linhas - primeira);
        Desenhar_Widget(pintor, *grade.viewport(), QPoint(0, altura_titulo + cabecalho),
                        QRegion(0, primeira * altura_linha, largura, quantas * altura_linha));
    }
    return pintor.end() && impressora.printerState() != QPrinter::Error;
}

}  // namespace qx7
