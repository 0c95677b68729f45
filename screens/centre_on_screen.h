#pragma once
// The screens open centred on the screen, not on the window that opened them.

class QWidget;

namespace qx7 {

void Centralizar_Na_Tela(QWidget& janela);

}  // namespace qx7
