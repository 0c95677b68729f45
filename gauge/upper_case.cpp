#include "gauge/upper_case.h"

namespace qx7 {

namespace {

unsigned char Maiuscula(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
        case 0x9A:  // š
        case 0x9C:  // œ
        case 0x9E:  // ž
            return static_cast<unsigned char>(c - 0x10);
        case 0xFF:  // ÿ
            return 0x9F;
        default:
            return c;
    }
}

}  // namespace

std::string Maiusculas(std::string_view texto) {
    std::string resultado(texto);
    for (char& c : resultado) {
        c = static_cast<char>(Maiuscula(static_cast<unsigned char>(c)));
    }
    return resultado;
}

}  // namespace qx7
