#include "screens/history/report_pages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <numeric>

namespace qx7 {

namespace {

constexpr double Pontos_Texto = 8;
constexpr double Pontos_Titulo = 12;
constexpr double Espaco_Linha = 1.25;  // a row's height, in lines of text
constexpr double Fracao_Figura = 0.4;  // of the body's height, on the first page
const QString Sem_Registros = QStringLiteral("Nenhum registro.");

// Rows [primeira, primeira + quantas) of a table, drawn on one page after its caption and
// header row.
struct Fatia {
    std::size_t tabela = 0;
    qint64 primeira = 0;
    qint64 quantas = 0;
};
using Paginas = std::vector<std::vector<Fatia>>;

struct Medidas {
    QRectF pagina;
    QFont texto, negrito, titulo;
    double linha = 0;   // a row
    double topo = 0;    // the heading, on every page
    double rodape = 0;  // the page number
    double figura = 0;  // on the first page
    double Corpo() const { return pagina.height() - topo - rodape; }
};

QFont Fonte_Em(const QFont& base, double pontos, bool negrito) {
    QFont fonte = base;
    fonte.setPointSizeF(pontos);
    fonte.setBold(negrito);
    return fonte;
}

Medidas Medir(const QPainter& pintor, const Relatorio& relatorio) {
    Medidas m;
    m.pagina = QRectF(pintor.viewport());
    m.texto = Fonte_Em(pintor.font(), Pontos_Texto, false);
    m.negrito = Fonte_Em(pintor.font(), Pontos_Texto, true);
    m.titulo = Fonte_Em(pintor.font(), Pontos_Titulo, true);
    QPaintDevice* dispositivo = pintor.device();
    m.linha = QFontMetricsF(m.texto, dispositivo).height() * Espaco_Linha;
    m.topo = QFontMetricsF(m.titulo, dispositivo).height() * Espaco_Linha +
             (static_cast<double>(relatorio.cabecalho.size()) + 1) * m.linha;
    m.rodape = 2 * m.linha;
    m.figura = relatorio.figura ? m.Corpo() * Fracao_Figura : 0;
    return m;
}

// A table's caption (when it has one) and header row.
double Cabeca(const Tabela_Relatorio& tabela, const Medidas& m) {
    return (tabela.titulo.isEmpty() ? 1 : 2) * m.linha;
}

Paginas Paginar(const Relatorio& relatorio, const Medidas& m) {
    Paginas paginas(1);
    double y = m.figura;  // within the body
    for (std::size_t t = 0; t < relatorio.tabelas.size(); ++t) {
        const Tabela_Relatorio& tabela = relatorio.tabelas[t];
        const double cabeca = Cabeca(tabela, m);
        // An empty table still takes a line, to say so.
        qint64 restantes = std::max<qint64>(1, tabela.linhas);
        for (qint64 primeira = 0; restantes > 0;) {
            if (y + cabeca + m.linha > m.Corpo() && y > 0) {
                paginas.emplace_back();
                y = 0;
            }
            const auto cabem =
                std::max<qint64>(1, static_cast<qint64>((m.Corpo() - y - cabeca) / m.linha));
            const qint64 quantas = std::min(cabem, restantes);
            paginas.back().push_back({t, primeira, quantas});
            y += cabeca + static_cast<double>(quantas + 1) * m.linha;
            primeira += quantas;
            restantes -= quantas;
        }
    }
    return paginas;
}

// Each column's width across the page: its characters or its title, whichever is wider, all
// of them stretched or shrunk to the page's width.
std::vector<double> Larguras(const Tabela_Relatorio& tabela, const Medidas& m,
                             QPaintDevice* dispositivo) {
    const QFontMetricsF texto(m.texto, dispositivo);
    const QFontMetricsF negrito(m.negrito, dispositivo);
    std::vector<double> larguras;
    for (std::size_t c = 0; c < tabela.larguras.size(); ++c) {
        const QString titulo = tabela.cabecalho.value(static_cast<qsizetype>(c));
        larguras.push_back(std::max(tabela.larguras[c] * texto.averageCharWidth(),
                                    negrito.horizontalAdvance(titulo)) +
                           texto.averageCharWidth());
    }
    const double soma = std::accumulate(larguras.begin(), larguras.end(), 0.0);
    for (double& largura : larguras) {
        largura *= soma > 0 ? m.pagina.width() / soma : 0;
    }
    return larguras;
}

// Where each column starts and how wide it is, on the row at `y`.
std::vector<QRectF> Colunas(const std::vector<double>& larguras, const Medidas& m, double y) {
    std::vector<QRectF> colunas;
    double x = m.pagina.left();
    for (const double largura : larguras) {
        colunas.emplace_back(x, y, largura, m.linha);
        x += largura;
    }
    return colunas;
}

void Desenhar_Linha(QPainter& pintor, const Tabela_Relatorio& tabela, const QStringList& textos,
                    const std::vector<QRectF>& colunas) {
    const QFontMetricsF medida(pintor.font(), pintor.device());
    const double folga = medida.averageCharWidth() / 2;
    for (std::size_t c = 0; c < colunas.size() && c < static_cast<std::size_t>(textos.size());
         ++c) {
        const QRectF celula = colunas[c].adjusted(folga, 0, -folga, 0);
        const bool direita = c < tabela.a_direita.size() && tabela.a_direita[c];
        pintor.drawText(
            celula, (direita ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
            medida.elidedText(textos[static_cast<qsizetype>(c)], Qt::ElideRight, celula.width()));
    }
}

void Desenhar_Topo(QPainter& pintor, const Relatorio& relatorio, const Medidas& m, int pagina,
                   int total) {
    double y = m.pagina.top();
    pintor.setFont(m.titulo);
    const double altura_titulo =
        m.topo - (static_cast<double>(relatorio.cabecalho.size()) + 1) * m.linha;
    pintor.drawText(QRectF(m.pagina.left(), y, m.pagina.width(), altura_titulo),
                    Qt::AlignLeft | Qt::AlignVCenter, relatorio.titulo);
    y += altura_titulo;
    pintor.setFont(m.texto);
    for (const QString& linha : relatorio.cabecalho) {
        pintor.drawText(QRectF(m.pagina.left(), y, m.pagina.width(), m.linha),
                        Qt::AlignLeft | Qt::AlignVCenter, linha);
        y += m.linha;
    }
    pintor.drawLine(QPointF(m.pagina.left(), y + m.linha / 2),
                    QPointF(m.pagina.right(), y + m.linha / 2));
    pintor.drawText(QRectF(m.pagina.left(), m.pagina.bottom() - m.linha, m.pagina.width(), m.linha),
                    Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("Página %1 de %2").arg(pagina).arg(total));
}

// A table being drawn: its rows as they are read, and its columns' widths.
struct Tabela_Em_Curso {
    Leitor_Linhas leitor;
    std::vector<double> larguras;
};

// One slice of a table at `y`. The new `y`.
double Desenhar_Fatia(QPainter& pintor, const Tabela_Relatorio& tabela, const Fatia& fatia,
                      Tabela_Em_Curso& curso, const Medidas& m, double y) {
    if (!tabela.titulo.isEmpty()) {
        pintor.setFont(m.negrito);
        pintor.drawText(
            QRectF(m.pagina.left(), y, m.pagina.width(), m.linha), Qt::AlignLeft | Qt::AlignVCenter,
            fatia.primeira == 0 ? tabela.titulo : tabela.titulo + QStringLiteral(" (continuação)"));
        y += m.linha;
    }
    pintor.setFont(m.negrito);
    Desenhar_Linha(pintor, tabela, tabela.cabecalho, Colunas(curso.larguras, m, y));
    y += m.linha;
    pintor.drawLine(QPointF(m.pagina.left(), y), QPointF(m.pagina.right(), y));
    pintor.setFont(m.texto);
    if (tabela.linhas == 0) {
        pintor.drawText(QRectF(m.pagina.left(), y, m.pagina.width(), m.linha),
                        Qt::AlignLeft | Qt::AlignVCenter, Sem_Registros);
        return y + 2 * m.linha;
    }
    QStringList linha;
    for (qint64 i = 0; i < fatia.quantas && curso.leitor && curso.leitor(linha); ++i) {
        Desenhar_Linha(pintor, tabela, linha, Colunas(curso.larguras, m, y));
        y += m.linha;
    }
    return y + m.linha;
}

}  // namespace

bool Desenhar_Relatorio(const Relatorio& relatorio, QPrinter& impressora) {
    QPainter pintor;
    if (!pintor.begin(&impressora)) {
        return false;
    }
    const Medidas m = Medir(pintor, relatorio);
    const Paginas paginas = Paginar(relatorio, m);
    std::vector<Tabela_Em_Curso> cursos;
    for (const Tabela_Relatorio& tabela : relatorio.tabelas) {
        cursos.push_back({{}, Larguras(tabela, m, pintor.device())});
    }
    const auto total = static_cast<int>(paginas.size());
    for (int k = 0; k < total; ++k) {
        if (k > 0 && !impressora.newPage()) {
            return false;
        }
        Desenhar_Topo(pintor, relatorio, m, k + 1, total);
        double y = m.pagina.top() + m.topo;
        if (k == 0 && relatorio.figura) {
            pintor.save();
            relatorio.figura(pintor, QRectF(m.pagina.left(), y, m.pagina.width(), m.figura));
            pintor.restore();
            y += m.figura;
        }
        for (const Fatia& fatia : paginas[static_cast<std::size_t>(k)]) {
            const Tabela_Relatorio& tabela = relatorio.tabelas[fatia.tabela];
            Tabela_Em_Curso& curso = cursos[fatia.tabela];
            if (!curso.leitor && tabela.abrir) {
                curso.leitor = tabela.abrir();  // the rows are read from their first page on
            }
            y = Desenhar_Fatia(pintor, tabela, fatia, curso, m, y);
        }
    }
    return pintor.end() && impressora.printerState() != QPrinter::Error;
}

}  // namespace qx7
