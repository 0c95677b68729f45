#pragma once
// Every element of the main panel with its place: one row per control, in twips relative to
// its container, with what the link and the gauge logic reach it as and what a click on it
// does. Control arrays are named "TQ_Ativo(0)" .. "TQ_Ativo(15)" and "Sinal(0)" .. "Sinal(4)",
// the index in parentheses as the original layout writes them.

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "link/panel.h"

namespace qx7 {

class Form1;
class Medidor;

enum class Tipo_Elemento {
    Imagem,        // picture box
    Moldura,       // titled frame
    Rotulo,        // label
    Caixa_Texto,   // single-line text box
    Botao,         // command button
    Opcao_Tanque,  // option button of the tank group
    Lampada,       // option button of the running light
    Forma,         // filled rectangle
    Produto,       // the tank's body, in the product's colour
    Vazio,         // the empty share of the tank, drawn over the body; only its height changes
    Lista,         // the log list box
};

inline constexpr const char* Sans_Serif_Form1 = "MS Sans Serif";

// What a click on a button does: a handler of the gauge logic or one of the panel's own.
using Acao_Botao = std::variant<std::monostate, void (Medidor::*)(), void (Form1::*)()>;

struct Elemento_Painel {
    std::string_view nome;  // object name, accents kept (UTF-8)
    Tipo_Elemento tipo;
    std::string_view legenda;  // caption (UTF-8), empty when none
    std::string_view pai;      // object name of the container, empty for the window
    int left;
    int top;
    int width;
    int height;
    const char* fonte = Sans_Serif_Form1;
    std::optional<Controle> controle = {};  // how the link and the gauge logic reach it
    Acao_Botao acao = {};
};

inline constexpr int Largura_Form1 = 9330;  // client area, twips
inline constexpr int Altura_Form1 = 9705;
inline constexpr double Pontos_Form1 = 8.25;

// The tank drawing: Altura_Líquido shares Shape1's box, Altura_Tanque_Painel high.
inline constexpr int Left_Tanque = 360;
inline constexpr int Top_Tanque = 3240;
inline constexpr int Largura_Tanque = 2535;

// Containers come before what they contain.
const std::vector<Elemento_Painel>& Layout_Form1();

}  // namespace qx7
