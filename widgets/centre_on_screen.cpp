#include "widgets/centre_on_screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qx7 {

namespace {

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

// Watches the window for its first showing, then goes away.
class Centralizador : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Show) {
            Centralizar_Na_Tela(*static_cast<QWidget*>(objeto));
            objeto->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void Centralizar_Ao_Mostrar(QWidget& janela) {
    janela.installEventFilter(new Centralizador(&janela));
}

}  // namespace qx7
