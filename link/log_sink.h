#pragma once
// The communication log as its writers see it: append one line and show it at once.

#include <string>
#include <utility>

namespace qx7 {

class Registro {
  public:
    virtual ~Registro() = default;
    // The line is stored as given (single-byte code page, control characters included) and
    // drawn before the call returns, even while the caller keeps the thread busy.
    virtual void Adicionar(std::string linha) = 0;
    // A line that tells of a failure (a time-out, a refusal, a lost port): a log that keeps
    // priorities (the service's journal) marks it; the window shows it like any other.
    virtual void Adicionar_Aviso(std::string linha) { Adicionar(std::move(linha)); }
};

}  // namespace qx7
