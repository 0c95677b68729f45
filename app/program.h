#pragma once
// The whole program over one base directory: the shared tables, the serial component whose
// COMn names resolve in that directory, and the main panel with its services. main() builds
// one over the default base directory; tests build theirs over a directory of their own.

#include <filesystem>
#include <functional>
#include <memory>

#include "app/history_wiring.h"
#include "app/main_panel.h"
#include "app/serial_port_qt.h"
#include "gauge/shared_tables.h"

namespace qx7 {

class Programa {
  public:
    using Fabrica_Servicos = std::function<Servicos_Form1(Variaveis_Programa&)>;

    // Servicos_Do_Programa when no other services are given.
    explicit Programa(const std::filesystem::path& diretorio_base,
                      const Fabrica_Servicos& servicos = {});

    // The opening, then the history started and the panel shown; false when the operator
    // chose to end the program.
    bool Iniciar();

    Variaveis_Programa& Variaveis() { return variaveis_; }
    Porta_Serial_Qt& Canal_Serial() { return canal_serial_; }
    Form1& Painel() { return painel_; }
    Historico_Programa* Historico() { return historico_.get(); }  // null before Iniciar

  private:
    Variaveis_Programa variaveis_;
    Porta_Serial_Qt canal_serial_;
    Form1 painel_;
    // Only once the opening succeeded: the base directory may be unusable before that. Last,
    // so it goes first: its counters and queue are written while the panel still exists.
    std::unique_ptr<Historico_Programa> historico_;
};

}  // namespace qx7
