#pragma once
// What the link needs from the window system: the yield, the pause, the clock as the operator
// reads it. The panel implements it with the Qt event loop; tests with a scripted clock.

#include <string>

namespace qx7 {

class Plataforma {
  public:
    virtual ~Plataforma() = default;
    virtual void Processar_Eventos() = 0;  // let pending window events run
    // Lets window events run, sleeping until one comes but at most `ms_max` when none is
    // pending: a wait that must look again at something no event announces does not spin.
    virtual void Aguardar_Eventos(int ms_max) = 0;
    virtual void Pausa_ms(int ms) = 0;
    virtual std::string Data_Atual() = 0;  // system short date format
    virtual std::string Hora_Atual() = 0;  // system time format
    virtual char Separador_Decimal() const = 0;
};

}  // namespace qx7
