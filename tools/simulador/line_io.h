#pragma once
// What the engine needs from its surroundings: somewhere to write bytes, and the time.

#include <string_view>

#include "tools/simulador/gauge_config.h"

namespace qx7::simulador {

class Linha {
  public:
    virtual ~Linha() = default;
    virtual void Escrever(std::string_view bytes) = 0;
};

class Relogio {
  public:
    virtual ~Relogio() = default;
    virtual Instante Agora() const = 0;
};

}  // namespace qx7::simulador
