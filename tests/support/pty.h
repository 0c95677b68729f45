#pragma once
// A pseudo-terminal as the far end of a serial line: the test holds the master side and
// hands the slave's path to the component under test, or links it as COMn.

#include <chrono>
#include <string>
#include <string_view>

namespace qx7::teste {

class Pseudo_Terminal {
  public:
    Pseudo_Terminal();  // raw mode, non-blocking master
    ~Pseudo_Terminal();
    Pseudo_Terminal(const Pseudo_Terminal&) = delete;
    Pseudo_Terminal& operator=(const Pseudo_Terminal&) = delete;

    const std::string& Caminho_Escravo() const { return caminho_; }
    int Mestre() const { return mestre_; }

    void Escrever(std::string_view bytes);
    // Whatever arrives within the wait; returns early once `minimo` bytes are in.
    std::string Ler(std::chrono::milliseconds espera, std::size_t minimo = 1);

  private:
    int mestre_ = -1;
    int escravo_ = -1;  // kept open so the master never sees a hang-up between openings
    std::string caminho_;
};

}  // namespace qx7::teste
