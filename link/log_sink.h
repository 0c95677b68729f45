#pragma once
// The communication log as its writers see it: append one line and show it at once.

#include <string>

namespace qx7 {

class Registro {
  public:
    virtual ~Registro() = default;
    // The line is stored as given (single-byte code page, control characters included) and
    // drawn before the call returns, even while the caller keeps the thread busy.
    virtual void Adicionar(std::string linha) = 0;
};

}  // namespace qx7
