#pragma once
// The decimal separator of the operator's regional settings, as the inventory screen writes
// and reads its numbers. The one place that asks QLocale::system(), so that a caller (the
// tests) can hold another separator for a while.

#include <QString>

namespace qx7 {

char Separador_Decimal();

// The regional separator as one byte of the code page; the point when the code page has no
// byte for it.
char Separador_Na_Pagina(const QString& regional);

// While alive, Separador_Decimal() answers `separador`; the previous answer comes back after.
class Separador_Decimal_Fixo {
  public:
    explicit Separador_Decimal_Fixo(char separador);
    ~Separador_Decimal_Fixo();
    Separador_Decimal_Fixo(const Separador_Decimal_Fixo&) = delete;
    Separador_Decimal_Fixo& operator=(const Separador_Decimal_Fixo&) = delete;

  private:
    char anterior_ = '\0';
};

}  // namespace qx7
