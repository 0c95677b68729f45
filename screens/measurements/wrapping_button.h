#pragma once
// A push button whose caption wraps onto more lines when it is wider than the button.

#include <QPushButton>

namespace qx7 {

class Botao_Com_Quebra : public QPushButton {
    Q_OBJECT

  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* evento) override;
};

}  // namespace qx7
