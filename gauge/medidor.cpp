#include "gauge/medidor.h"

namespace qx7 {

Medidor::Medidor(Variaveis_Programa& variaveis, Painel& painel, Telas& telas, Transmissor& enlace,
                 Plataforma& plataforma)
    : variaveis_(variaveis),
      painel_(painel),
      telas_(telas),
      enlace_(enlace),
      plataforma_(plataforma) {}

}  // namespace qx7
