#pragma once
// The window program over one base directory: the station (port, link, gauge logic, history)
// and the main panel that shows it, with the panel's services. main() builds one over the
// default base directory; tests build theirs over a directory of their own.

#include <filesystem>
#include <functional>
#include <memory>

#include "app/main_panel.h"
#include "station/history_wiring.h"
#include "station/station.h"

namespace qx7 {

class Programa {
  public:
    using Fabrica_Servicos = std::function<Servicos_Form1(Variaveis_Programa&)>;

    // Servicos_Do_Programa when no other services are given.
    explicit Programa(const std::filesystem::path& diretorio_base,
                      const Fabrica_Servicos& servicos = {});

    // The opening, then the history and the publishing started and the panel shown; false
    // when the operator chose to end the program.
    bool Iniciar();

    Estacao& Estacao_Do_Programa() { return estacao_; }
    Variaveis_Programa& Variaveis() { return estacao_.Variaveis(); }
    PortaSerial& Canal_Serial() { return estacao_.Canal(); }
    Form1& Painel() { return painel_; }
    Historico_Programa* Historico() { return estacao_.Historico(); }  // null before Iniciar

  private:
    Estacao estacao_;
    Form1 painel_;
};

}  // namespace qx7
