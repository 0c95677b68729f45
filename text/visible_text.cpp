#include "text/visible_text.h"

#include "text/qt_1252.h"

namespace qx7 {

namespace {

// Control characters are drawn by their names, so a frame reads <STX>ID02<ETX><FF> in any
// font (few fonts carry the control-picture glyphs).
constexpr const char* Nomes_Controle[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                            "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                            "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                            "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

}  // namespace

QString Texto_Visivel(std::string_view linha) {
    const QString texto = De_1252(linha);
    QString visivel;
    visivel.reserve(texto.size());
    for (const QChar c : texto) {
        const char16_t codigo = c.unicode();
        if (codigo < 0x20 || codigo == 0x7F) {
            visivel += u'<';
            visivel += QLatin1String(codigo == 0x7F ? "DEL" : Nomes_Controle[codigo]);
            visivel += u'>';
        } else {
            visivel += c;
        }
    }
    return visivel;
}

}  // namespace qx7
