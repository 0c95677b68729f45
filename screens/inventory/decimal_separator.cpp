#include "screens/inventory/decimal_separator.h"

#include <QLocale>
#include <string>

#include "app/codepage.h"

namespace qx7 {

namespace {

char fixado = '\0';  // '\0': follow the system

// A separator outside the code page (one no single byte can carry) falls back to the point.
char Do_Sistema() {
    const std::string texto = Para_1252(QLocale::system().decimalPoint());
    return texto.size() == 1 && texto[0] != '?' ? texto[0] : '.';
}

}  // namespace

char Separador_Decimal() {
    return fixado != '\0' ? fixado : Do_Sistema();
}

Separador_Decimal_Fixo::Separador_Decimal_Fixo(char separador) : anterior_(fixado) {
    fixado = separador;
}

Separador_Decimal_Fixo::~Separador_Decimal_Fixo() {
    fixado = anterior_;
}

}  // namespace qx7
