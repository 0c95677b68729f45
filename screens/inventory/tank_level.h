#pragma once
// The fill shown in one tank drawing: the percentage text and the height of the empty share
// of the tank body.

#include <string>

namespace qx7 {

inline constexpr float Altura_Corpo_Tanque_Twips = 855.0f;

struct Nivel_Tanque {
    std::string Percentual;  // "##0.##" followed by "%"; empty or the mark when there is none
    float Altura_Vazio_Twips = Altura_Corpo_Tanque_Twips;
};

// Measured and complementary volumes (or weights). With no percentage to show (both zero, or
// a sum that gives none) the box is empty, with one too large to write it shows the mark, and
// the tank shows empty in both cases; a percentage outside 0..100 keeps its text but its
// level stays inside the body.
Nivel_Tanque Calcular_Nivel(double medido, double complementar, char separador);

}  // namespace qx7
