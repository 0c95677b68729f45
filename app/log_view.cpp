#include "app/log_view.h"

#include <QEvent>
#include <QHeaderView>

namespace qx7 {

Vista_Log::Vista_Log(QWidget* parent) : QTableView(parent) {
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    Ajustar_Altura_Linhas();
}

void Vista_Log::Redesenhar_Agora() {
    viewport()->repaint();
}

void Vista_Log::changeEvent(QEvent* evento) {
    QTableView::changeEvent(evento);
    if (evento->type() == QEvent::FontChange) {
        Ajustar_Altura_Linhas();
    }
}

void Vista_Log::Ajustar_Altura_Linhas() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 1);
}

void Registro_Log::Adicionar(std::string linha) {
    modelo_.Adicionar(linha);
    vista_.Redesenhar_Agora();
}

}  // namespace qx7
