#include "app/logo.h"

#include <QLinearGradient>
#include <QPainter>

#include "widgets/fonts.h"

namespace qx7 {

QPixmap Desenhar_Logotipo(QSize tamanho) {
    QPixmap imagem(tamanho);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(tamanho));

    QLinearGradient fundo(area.topLeft(), area.bottomLeft());
    fundo.setColorAt(0.0, QColor(0, 64, 128));
    fundo.setColorAt(1.0, QColor(0, 32, 80));
    pintor.fillRect(area, fundo);

    // A small tank on the left: outline, product level, nozzle.
    const qreal h = area.height();
    const QRectF corpo(h * 0.25, h * 0.25, h * 0.9, h * 0.55);
    pintor.setPen(QPen(Qt::white, 1.5));
    pintor.setBrush(QColor(255, 192, 128));
    pintor.drawRect(corpo);
    pintor.fillRect(corpo.adjusted(1, 1, -1, -corpo.height() * 0.45), QColor(200, 200, 200));
    pintor.fillRect(QRectF(corpo.left() + corpo.width() * 0.2, corpo.top() - h * 0.1,
                           corpo.width() * 0.2, h * 0.1),
                    Qt::white);

    QFont marca = Fonte("Arial", 20, true);
    marca.setPixelSize(static_cast<int>(h * 0.6));
    pintor.setFont(marca);
    pintor.setPen(Qt::white);
    const QRectF texto = area.adjusted(corpo.right() + h * 0.2, 0, 0, -h * 0.1);
    pintor.drawText(texto, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QX7"));

    QFont subtitulo = Fonte("Arial", 8, false);
    subtitulo.setPixelSize(static_cast<int>(h * 0.2));
    pintor.setFont(subtitulo);
    pintor.setPen(QColor(255, 255, 192));
    pintor.drawText(area.adjusted(0, 0, -h * 0.15, -h * 0.05), Qt::AlignRight | Qt::AlignBottom,
                    QStringLiteral("Medidor de Tanques"));
    return imagem;
}

}  // namespace qx7
