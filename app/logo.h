#pragma once
// The picture of Picture1: a "QX7" logotype painted in code.

#include <QPixmap>
#include <QSize>

namespace qx7 {

QPixmap Desenhar_Logotipo(QSize tamanho);

}  // namespace qx7
