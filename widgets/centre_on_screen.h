#pragma once
// The screens open centred on the screen, not on the window that opened them.

class QWidget;

namespace qx7 {

// Centres the window the first time it is shown.
void Centralizar_Ao_Mostrar(QWidget& janela);

}  // namespace qx7
