#include "app/log_view.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace qx7 {

namespace {

int Margem_Texto(const QStyleOptionViewItem& opcao) {
    const QStyle* estilo = opcao.widget != nullptr ? opcao.widget->style() : nullptr;
    return estilo == nullptr
               ? 3
               : estilo->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opcao.widget) + 1;
}

QPalette::ColorGroup Grupo(const QStyleOptionViewItem& opcao) {
    if (!(opcao.state & QStyle::State_Enabled)) {
        return QPalette::Disabled;
    }
    return (opcao.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

}  // namespace

void Delegado_Log::paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
                         const QModelIndex& indice) const {
    const QPalette::ColorGroup grupo = Grupo(opcao);
    if (opcao.state & QStyle::State_Selected) {
        pintor->fillRect(opcao.rect, opcao.palette.brush(grupo, QPalette::Highlight));
        pintor->setPen(opcao.palette.color(grupo, QPalette::HighlightedText));
    } else {
        pintor->setPen(opcao.palette.color(grupo, QPalette::Text));
    }
    pintor->setFont(opcao.font);
    const QFontMetrics& metricas = opcao.fontMetrics;
    const int base =
        opcao.rect.top() + (opcao.rect.height() - metricas.height()) / 2 + metricas.ascent();
    pintor->drawText(opcao.rect.left() + Margem_Texto(opcao), base,
                     indice.data(Qt::DisplayRole).toString());
    if (opcao.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect foco;
        foco.QStyleOption::operator=(opcao);
        foco.backgroundColor = opcao.palette.color(
            grupo, (opcao.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Base);
        const QStyle* estilo = opcao.widget != nullptr ? opcao.widget->style() : nullptr;
        if (estilo != nullptr) {
            estilo->drawPrimitive(QStyle::PE_FrameFocusRect, &foco, pintor, opcao.widget);
        }
    }
}

QSize Delegado_Log::sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex& indice) const {
    const QString texto = indice.data(Qt::DisplayRole).toString();
    return {opcao.fontMetrics.horizontalAdvance(texto) + 2 * Margem_Texto(opcao),
            opcao.fontMetrics.height() + 1};
}

Vista_Log::Vista_Log(QWidget* parent) : QAbstractItemView(parent) {
    setItemDelegate(new Delegado_Log(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long lines are cut, as before
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    altura_linha_ = fontMetrics().height() + 1;
}

void Vista_Log::setModel(QAbstractItemModel* modelo) {
    if (model() != nullptr) {
        disconnect(model(), &QAbstractItemModel::rowsRemoved, this, &Vista_Log::Linhas_Removidas);
    }
    QAbstractItemView::setModel(modelo);
    if (modelo != nullptr) {
        connect(modelo, &QAbstractItemModel::rowsRemoved, this, &Vista_Log::Linhas_Removidas);
    }
    Ajustar_Barra();
}

void Vista_Log::reset() {
    QAbstractItemView::reset();
    Ajustar_Barra();
    pendente_ = viewport()->rect();
    viewport()->update();
}

void Vista_Log::Redesenhar_Agora() {
    // Repainting one area of the window paints every pending area of it, what scrolled in
    // included. The scroll bar follows when the event loop runs.
    if (!pendente_.isEmpty()) {
        viewport()->repaint(std::exchange(pendente_, QRegion()));
    }
}

QRect Vista_Log::visualRect(const QModelIndex& indice) const {
    if (!indice.isValid() || indice.parent() != rootIndex()) {
        return {};
    }
    return {0, (indice.row() - Topo()) * Altura_Linha(), viewport()->width(), Altura_Linha()};
}

void Vista_Log::scrollTo(const QModelIndex& indice, ScrollHint dica) {
    if (!indice.isValid()) {
        return;
    }
    const int linha = indice.row();
    const int cabem = Linhas_Que_Cabem();
    int topo = Topo();
    switch (dica) {
        case PositionAtTop:
            topo = linha;
            break;
        case PositionAtBottom:
            topo = linha - cabem + 1;
            break;
        case PositionAtCenter:
            topo = linha - cabem / 2;
            break;
        case EnsureVisible:
            if (linha < topo) {
                topo = linha;
            } else if (linha >= topo + cabem) {
                topo = linha - cabem + 1;
            }
            break;
    }
    if (barra_atrasada_) {
        Ajustar_Barra();
    }
    verticalScrollBar()->setValue(topo);
}

QModelIndex Vista_Log::indexAt(const QPoint& ponto) const {
    if (ponto.x() < 0 || ponto.y() < 0 || ponto.x() >= viewport()->width()) {
        return {};
    }
    return Indice(Topo() + ponto.y() / Altura_Linha());
}

QModelIndex Vista_Log::moveCursor(CursorAction acao, Qt::KeyboardModifiers) {
    const int linhas = Linhas();
    if (linhas == 0) {
        return {};
    }
    const int atual = currentIndex().isValid() ? currentIndex().row() : Topo();
    int destino = atual;
    switch (acao) {
        case MoveUp:
        case MovePrevious:
            destino = atual - 1;
            break;
        case MoveDown:
        case MoveNext:
            destino = atual + 1;
            break;
        case MovePageUp:
            destino = atual - Linhas_Que_Cabem();
            break;
        case MovePageDown:
            destino = atual + Linhas_Que_Cabem();
            break;
        case MoveHome:
            destino = 0;
            break;
        case MoveEnd:
            destino = linhas - 1;
            break;
        case MoveLeft:
        case MoveRight:
            break;
    }
    return Indice(std::clamp(destino, 0, linhas - 1));
}

int Vista_Log::verticalOffset() const {
    return Topo() * Altura_Linha();
}

void Vista_Log::setSelection(const QRect& retangulo, QItemSelectionModel::SelectionFlags flags) {
    const QRect r = retangulo.normalized();
    const int linhas = Linhas();
    const int primeira = Topo() + std::max(0, r.top()) / Altura_Linha();
    if (selectionModel() == nullptr || primeira >= linhas) {
        return;
    }
    const int ultima = std::min(Topo() + std::max(0, r.bottom()) / Altura_Linha(), linhas - 1);
    selectionModel()->select(QItemSelection(Indice(primeira), Indice(std::max(primeira, ultima))),
                             flags);
}

QRegion Vista_Log::visualRegionForSelection(const QItemSelection& selecao) const {
    const int topo = Topo();
    const int fim = topo + Linhas_Que_Cabem();  // the part-row at the bottom included
    QRegion regiao;
    for (const QItemSelectionRange& faixa : selecao) {
        if (faixa.parent() != rootIndex()) {
            continue;
        }
        const int de = std::max(faixa.top(), topo);
        const int ate = std::min(faixa.bottom(), fim);
        if (de <= ate) {
            regiao += QRect(0, (de - topo) * Altura_Linha(), viewport()->width(),
                            (ate - de + 1) * Altura_Linha());
        }
    }
    return regiao;
}

void Vista_Log::keyPressEvent(QKeyEvent* evento) {
    const QModelIndex antes = currentIndex();
    QAbstractItemView::keyPressEvent(evento);
    // The row the keys moved to is brought into view; lines coming in never move the view.
    if (currentIndex() != antes) {
        scrollTo(currentIndex());
    }
}

void Vista_Log::rowsInserted(const QModelIndex& pai, int inicio, int fim) {
    QAbstractItemView::rowsInserted(pai, inicio, fim);
    if (pai != rootIndex()) {
        return;
    }
    const int cabem = Linhas_Que_Cabem();
    const int fim_antes = std::max(0, Linhas() - (fim - inicio + 1) - cabem);
    // At the end (or with everything in view) the view follows; scrolled back it stays.
    if (topo_ == fim_antes) {
        const int novo = std::max(0, Linhas() - cabem);
        const int linhas = topo_ - novo;
        topo_ = novo;
        Rolar_Pixels(linhas);
    }
    Atrasar_Barra();
    const QRect novas = QRect(0, (inicio - Topo()) * Altura_Linha(), viewport()->width(),
                              (fim - inicio + 1) * Altura_Linha()) &
                        viewport()->rect();
    if (!novas.isEmpty()) {
        pendente_ += novas;
        viewport()->update(novas);
    }
}

void Vista_Log::Linhas_Removidas(const QModelIndex& pai, int inicio, int fim) {
    if (pai != rootIndex()) {
        return;
    }
    // The lines on screen stay on screen: the top row moves up by the rows removed above it.
    topo_ -= std::max(0, std::min(fim + 1, topo_) - inicio);
    Ajustar_Barra();
    pendente_ = viewport()->rect();
    viewport()->update();
}

void Vista_Log::updateGeometries() {
    Ajustar_Barra();
    QAbstractItemView::updateGeometries();
}

void Vista_Log::scrollContentsBy(int dx, int) {
    // The bar may have been set while the view had already moved (Atrasar_Barra): the view
    // moves by what separates its own top row from the bar's.
    const int novo = verticalScrollBar()->value();
    const int linhas = topo_ - novo;
    topo_ = novo;
    Rolar_Pixels(linhas, dx);
}

void Vista_Log::Rolar_Pixels(int linhas, int dx) {
    const int pixels = linhas * Altura_Linha();
    pendente_.translate(0, pixels);
    pendente_ &= viewport()->rect();
    QAbstractItemView::scrollContentsBy(dx, pixels);
}

void Vista_Log::paintEvent(QPaintEvent* evento) {
    const int linhas = Linhas();
    const QRect area = evento->rect();
    const int primeira = Topo() + std::max(0, area.top()) / Altura_Linha();
    const int ultima = std::min(linhas - 1, Topo() + std::max(0, area.bottom()) / Altura_Linha());
    if (primeira > ultima) {
        return;
    }
    QPainter pintor(viewport());
    QStyleOptionViewItem opcao;
    initViewItemOption(&opcao);
    const QStyle::State estado = opcao.state;
    const QModelIndex atual = currentIndex();
    const bool com_foco = hasFocus();
    for (int linha = primeira; linha <= ultima; ++linha) {
        const QModelIndex indice = Indice(linha);
        opcao.rect = visualRect(indice);
        opcao.state = estado;
        if (selectionModel() != nullptr && selectionModel()->isSelected(indice)) {
            opcao.state |= QStyle::State_Selected;
        }
        if (com_foco && indice == atual) {
            opcao.state |= QStyle::State_HasFocus;
        }
        itemDelegateForIndex(indice)->paint(&pintor, opcao, indice);
    }
}

void Vista_Log::changeEvent(QEvent* evento) {
    QAbstractItemView::changeEvent(evento);
    if (evento->type() == QEvent::FontChange) {
        altura_linha_ = fontMetrics().height() + 1;
        Ajustar_Barra();
        viewport()->update();
    }
}

void Vista_Log::Atrasar_Barra() {
    if (!barra_atrasada_) {
        barra_atrasada_ = true;
        QMetaObject::invokeMethod(this, &Vista_Log::Ajustar_Barra, Qt::QueuedConnection);
    }
}

void Vista_Log::Ajustar_Barra() {
    barra_atrasada_ = false;
    QScrollBar* barra = verticalScrollBar();
    const int cabem = Linhas_Que_Cabem();
    const int maximo = std::max(0, Linhas() - cabem);
    {
        // While the bar shows and stays, its signals would only queue a relayout per line
        // and move the view where it already is.
        const QSignalBlocker bloqueio(maximo > 0 && barra->maximum() > 0 ? barra : nullptr);
        barra->setSingleStep(1);
        barra->setPageStep(cabem);
        barra->setRange(0, maximo);
        barra->setValue(std::min(topo_, maximo));
    }
    if (barra->value() != topo_) {
        topo_ = barra->value();
        pendente_ = viewport()->rect();
        viewport()->update();
    }
}

int Vista_Log::Linhas() const {
    return model() != nullptr ? model()->rowCount(rootIndex()) : 0;
}

int Vista_Log::Linhas_Que_Cabem() const {
    return std::max(1, viewport()->height() / Altura_Linha());
}

QModelIndex Vista_Log::Indice(int linha) const {
    if (model() == nullptr || linha < 0 || linha >= Linhas()) {
        return {};
    }
    return model()->index(linha, 0, rootIndex());
}

void Registro_Log::Adicionar(std::string linha) {
    modelo_.Adicionar(linha);
    vista_.Redesenhar_Agora();
}

}  // namespace qx7
