// The main panel showing the station's panel state: texts and enabling of its controls, the
// tank drawing and the running light follow the state's signals; what the operator types goes
// back into the state as it is typed.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "app/main_panel.h"
#include "app/main_panel_layout.h"
#include "gauge/tank_level.h"
#include "widgets/twips.h"

namespace qx7 {

QWidget* Form1::Elemento(Controle controle) const {
    return controles_[static_cast<std::size_t>(controle)];
}

void Form1::Mostrar_Estado() {
    Estado_Painel& estado = estacao_.Painel();
    connect(&estado, &Estado_Painel::Texto_Mudou, this, &Form1::Mostrar_Texto);
    connect(
        &estado, &Estado_Painel::Habilitado_Mudou, this,
        [this](Controle controle, bool habilitado) { Elemento(controle)->setEnabled(habilitado); });
    connect(&estado, &Estado_Painel::Tanque_Mudou, this, [this](int k, bool habilitado) {
        tanques_[static_cast<std::size_t>(k)]->setEnabled(habilitado);
    });
    connect(&estado, &Estado_Painel::Altura_Mudou, this, &Form1::Mostrar_Altura);
    connect(&estado, &Estado_Painel::Sinal_Mudou, this,
            [this](int i) { sinais_[static_cast<std::size_t>(i)]->setChecked(true); });
    for (std::size_t i = 0; i < controles_.size(); ++i) {
        const auto controle = static_cast<Controle>(i);
        if (auto* caixa = qobject_cast<QLineEdit*>(Elemento(controle))) {
            connect(caixa, &QLineEdit::textEdited, this, [this, controle](const QString& texto) {
                estacao_.Painel().Digitar(controle, texto);
            });
        }
    }
}

void Form1::Mostrar_Texto(Controle controle, const QString& texto) {
    QWidget* w = Elemento(controle);
    if (auto* caixa = qobject_cast<QLineEdit*>(w)) {
        caixa->setText(texto);
        caixa->setCursorPosition(0);  // show the beginning, like a text box that was written
    } else if (auto* rotulo = qobject_cast<QLabel*>(w)) {
        rotulo->setText(texto);
    } else if (auto* moldura = qobject_cast<QGroupBox*>(w)) {
        moldura->setTitle(texto);
    } else if (auto* botao = qobject_cast<QAbstractButton*>(w)) {
        botao->setText(texto);
    }
    if (controle == Controle::QX7_Tanque) {
        Colorir_Percentual();  // another tank on the panel, maybe with its own alarms
    }
}

// Only the height changes; a percentage outside 0..100 would give a negative height or one
// that runs below the tank, so the height is kept within the tank's box.
void Form1::Mostrar_Altura(float twips) {
    const double altura = std::clamp(static_cast<double>(twips), 0.0, double{Altura_Tanque_Painel});
    altura_liquido_->setGeometry(
        Retangulo(Left_Tanque, Top_Tanque, Largura_Tanque, static_cast<int>(std::lround(altura))));
}

}  // namespace qx7
