#include "text/decimal_separator.h"

#include <QLocale>
#include <string>

#include "text/qt_1252.h"

namespace qx7 {

namespace {

char fixado = '\0';  // '\0': follow the system

}  // namespace

// Whatever byte the converter puts in place of a character it cannot carry, that byte does
// not read back as the character.
char Separador_Na_Pagina(const QString& regional) {
    const std::string texto = Para_1252(regional);
    return texto.size() == 1 && De_1252(texto) == regional ? texto[0] : '.';
}

char Separador_Decimal() {
    return fixado != '\0' ? fixado : Separador_Na_Pagina(QLocale::system().decimalPoint());
}

Separador_Decimal_Fixo::Separador_Decimal_Fixo(char separador) : anterior_(fixado) {
    fixado = separador;
}

Separador_Decimal_Fixo::~Separador_Decimal_Fixo() {
    fixado = anterior_;
}

}  // namespace qx7
