#pragma once
// A ring of 51 text slots between a producer and the protocol engine. Equal indices mean
// empty, so at most 50 entries wait; a write that would make the ring look empty is refused.
// A slot keeps its text after it has been read until a later write overwrites it.

#include <array>
#include <optional>
#include <string>

namespace qx7 {

class Fila_Mensagens {
  public:
    static constexpr int Slots = 51;
    static constexpr int Capacidade = Slots - 1;

    // The write index after the write (the number the queue line shows), or nothing when
    // the ring already holds Capacidade waiting entries.
    std::optional<int> Armazenar(std::string texto);
    // The oldest waiting entry, or empty text when none waits (indices untouched then).
    std::string Apanhar();

    bool Vazia() const { return indice_le_ == indice_grava_; }
    bool Cheia() const { return Seguinte(indice_grava_) == indice_le_; }
    int Aguardando() const { return (indice_grava_ - indice_le_ + Slots) % Slots; }
    int Indice_Grava() const { return indice_grava_; }
    int Indice_Le() const { return indice_le_; }

  private:
    static int Seguinte(int indice) { return indice + 1 == Slots ? 0 : indice + 1; }

    std::array<std::string, Slots> slots_{};
    int indice_grava_ = 0;
    int indice_le_ = 0;
};

}  // namespace qx7
