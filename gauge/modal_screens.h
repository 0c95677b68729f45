#pragma once
// The modal screens as the gauge logic opens them. Each call returns only when the screen
// has been closed; the screens exchange data only through Variaveis_Programa.

#include <string_view>

namespace qx7 {

class Telas {
  public:
    virtual ~Telas() = default;
    virtual void Abrir_Senha() = 0;  // "Abertura QX7": leaves the password in Senha_Usuario
    // "Digitar Data": true when the operator confirmed, leaving the date in Data_Solicitada;
    // false when the screen was closed without confirming.
    virtual bool Abrir_Data() = 0;
    virtual void Abrir_Resultados() = 0;  // "Medições na data "
    // "Sistema QX7 - Inventário de Produtos"; refreshes the open one instead of opening a second.
    virtual void Abrir_Inventario() = 0;
    // Information message box with an OK button (texts in the line's code page).
    virtual void Aviso(std::string_view texto, std::string_view titulo) = 0;
};

}  // namespace qx7
