#pragma once
// The fill of a tank drawing from its measured and complementary volumes (or weights): the
// percentage text and the height of the empty share, for the main panel's tank and for the
// inventory's drawings alike.

#include <string>

namespace qx7 {

// The main panel's tank outline, twips.
inline constexpr int Altura_Tanque_Painel = 1335;

struct Nivel_Tanque {
    std::string Percentual;  // "##0.##" followed by "%"; empty or the mark when there is none
    float Altura_Vazio_Twips = 0.0f;
    bool Com_Percentual = false;  // false: no level to show, the height is the whole tank
};

// With no percentage to show (both zero, or a sum that gives none) the text is empty, with one
// too large to write it is the mark; a percentage outside 0..100 keeps its text but its level
// stays inside the tank. The level follows the text as shown: with a comma only its whole part
// reads back.
Nivel_Tanque Calcular_Nivel(double medido, double complementar, char separador,
                            float altura_tanque_twips);

}  // namespace qx7
