#include "widgets/twips.h"

#include <cmath>

namespace qx7 {

int Pixels(double twips) {
    return static_cast<int>(std::lround(twips / Twips_Por_Pixel));
}

QRect Retangulo(int left, int top, int width, int height) {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

QSize Tamanho(int width, int height) {
    return {Pixels(width), Pixels(height)};
}

}  // namespace qx7
