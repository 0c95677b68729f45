#pragma once
// Which widget of the main panel stands for each control the link and the gauge logic reach.

#include "link/panel.h"

namespace qx7 {

inline constexpr int Numero_Controles = static_cast<int>(Controle::Leitura_Tanques) + 1;

// The object name (UTF-8, accents kept) of the control's widget.
const char* Nome_Controle(Controle controle);

}  // namespace qx7
