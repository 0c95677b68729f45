#pragma once
// Screen geometry is laid out in twips (1/1440 inch); at 96 dpi 15 twips make a pixel.
// Every conversion goes through here.

#include <QRect>
#include <QSize>

namespace qx7 {

inline constexpr double Twips_Por_Pixel = 15.0;

int Pixels(double twips);
QRect Retangulo(int left, int top, int width, int height);  // all in twips
QSize Tamanho(int width, int height);                       // in twips

}  // namespace qx7
