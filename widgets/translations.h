#pragma once
// Qt's own texts (standard buttons, the file dialog) in Portuguese, Brazilian where Debian's
// translation package has it, otherwise Portuguese.

#include <QCoreApplication>

namespace qx7 {

// False when no Portuguese translation of Qt is installed; Qt then speaks English.
bool Carregar_Traducoes_Qt(QCoreApplication& aplicacao);

}  // namespace qx7
