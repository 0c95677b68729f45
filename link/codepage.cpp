#include "link/codepage.h"

namespace qx7 {

std::string cp1252(std::string_view utf8) {
    std::string saida;
    saida.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            saida += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            const auto seguinte = static_cast<unsigned char>(utf8[++i]);
            saida += static_cast<char>(((c & 0x03) << 6) | (seguinte & 0x3F));
        } else {
            // A character the code page cannot hold: skip its continuation bytes.
            while (i + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
                ++i;
            }
            saida += '?';
        }
    }
    return saida;
}

}  // namespace qx7
