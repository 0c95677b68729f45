#include "screens/centre_on_screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qx7 {

void Centralizar_Na_Tela(QWidget& janela) {
    const QScreen* tela = janela.screen();
    if (tela == nullptr) {
        tela = QGuiApplication::primaryScreen();
    }
    if (tela == nullptr) {
        return;
    }
    QRect quadro = janela.frameGeometry();
    quadro.moveCenter(tela->availableGeometry().center());
    janela.move(quadro.topLeft());
}

}  // namespace qx7
