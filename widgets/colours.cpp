#include "widgets/colours.h"

#include <QPalette>
#include <QWidget>

namespace qx7 {

void Pintar_Fundo(QWidget& controle, const QColor& cor) {
    QPalette paleta = controle.palette();
    paleta.setColor(QPalette::Window, cor);
    controle.setPalette(paleta);
    controle.setAutoFillBackground(true);
}

void Pintar_Botao(QWidget& botao, const QColor& cor) {
    QPalette paleta = botao.palette();
    paleta.setColor(QPalette::Button, cor);
    botao.setPalette(paleta);
}

void Pintar_Texto(QWidget& controle, const QColor& cor) {
    QPalette paleta = controle.palette();
    paleta.setColor(QPalette::WindowText, cor);
    controle.setPalette(paleta);
}

}  // namespace qx7
