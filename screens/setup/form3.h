#pragma once
// "Abertura QX7": asks for the password the gauge expects. "Conectar" leaves the text exactly
// as typed in Senha_Usuario; closing the window any other way stores nothing. Enter in the
// password box does not confirm.

#include <QDialog>

#include "gauge/shared_tables.h"

class QLineEdit;
class QToolButton;

namespace qx7 {

class Form3 : public QDialog {
    Q_OBJECT

  public:
    explicit Form3(Variaveis_Programa& variaveis, QWidget* parent = nullptr);

  private:
    void Validar_Senha_Click();

    Variaveis_Programa& variaveis_;
    QLineEdit* senha_ = nullptr;
    QToolButton* validar_senha_ = nullptr;
};

// The pictures of the screen, drawn in code: the window's key and the button's open padlock.
QPixmap Desenhar_Chave(int lado);
QPixmap Desenhar_Cadeado_Aberto(int lado);

}  // namespace qx7
