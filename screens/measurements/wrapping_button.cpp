#include "screens/measurements/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace qx7 {

void Botao_Com_Quebra::paintEvent(QPaintEvent* /*evento*/) {
    QStylePainter pintor(this);
    QStyleOptionButton opcao;
    initStyleOption(&opcao);
    opcao.text.clear();
    pintor.drawControl(QStyle::CE_PushButton, opcao);
    const int margem = style()->pixelMetric(QStyle::PM_ButtonMargin, &opcao, this);
    pintor.drawItemText(rect().adjusted(margem, margem, -margem, -margem),
                        Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                        QPalette::ButtonText);
}

}  // namespace qx7
