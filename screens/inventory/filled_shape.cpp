#include "screens/inventory/filled_shape.h"

#include <QApplication>
#include <QPainter>

namespace qx7 {

Forma_Preenchida::Forma_Preenchida(const QColor& cor, QWidget* parent)
    : QWidget(parent), cor_(cor) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Forma_Preenchida::paintEvent(QPaintEvent* /*evento*/) {
    QPainter pintor(this);
    pintor.fillRect(rect(), cor_);
    pintor.setPen(QPen(Qt::black, 0));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawRect(rect().adjusted(0, 0, -1, -1));
}

QColor Cor_Barra_Rolagem() {
    return QApplication::palette().color(QPalette::Mid);
}

}  // namespace qx7
