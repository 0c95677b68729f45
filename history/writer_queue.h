#pragma once
// The units waiting for the history writer, in order, and bounded: when the queue is full the
// oldest waiting unit is pushed out and counted, so a long outage costs the oldest readings and
// never the program's memory. The unit being written counts against the bound until it is
// committed or put back. Not locked: the writer holds its own lock around every call.

#include <cstddef>
#include <cstdint>
#include <deque>

#include "history/units.h"

namespace qx7 {

// Two days of 16 tanks read every minute: 46,080 units, about 25 MB at most.
inline constexpr std::size_t Capacidade_Fila_Padrao = 2 * 24 * 60 * 16;

class Fila_Gravacao {
  public:
    explicit Fila_Gravacao(std::size_t capacidade = Capacidade_Fila_Padrao);

    // Appends; the operator's records pushed out to make room (0 or 1).
    std::uint64_t Acrescentar(Unidade_Historico unidade);
    bool Vazia() const { return unidades_.empty(); }

    // The oldest unit, taken out to be written; the queue must not be empty.
    Unidade_Historico Retirar();
    // The unit taken out was written, or dropped.
    void Concluir() { em_gravacao_ = false; }
    // It could not be written: back at the front, to be tried first.
    void Devolver(Unidade_Historico unidade);
    // Drops every waiting unit; the operator's records among them.
    std::uint64_t Descartar();

  private:
    std::deque<Unidade_Historico> unidades_;
    std::size_t capacidade_;
    bool em_gravacao_ = false;
};

}  // namespace qx7
