#include "widgets/fonts.h"

namespace qx7 {

void Instalar_Substituicoes_Fontes() {
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("Courier New", "Liberation Mono");
}

QFont Fonte(const char* familia, double pontos, bool negrito) {
    QFont fonte(QString::fromLatin1(familia));
    fonte.setPointSizeF(pontos);
    fonte.setBold(negrito);
    return fonte;
}

}  // namespace qx7
