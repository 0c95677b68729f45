#pragma once
// The screens name the fonts of the original layout; Liberation fonts stand in for them.

#include <QFont>

namespace qx7 {

void Instalar_Substituicoes_Fontes();  // once, at start-up

QFont Fonte(const char* familia, double pontos, bool negrito = false);
inline QFont Sans_Serif(double pontos = 8.25, bool negrito = false) {
    return Fonte("MS Sans Serif", pontos, negrito);
}

}  // namespace qx7
