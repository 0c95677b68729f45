#pragma once
// The gauge logic's modal screens where there is no window (the service): nothing opens and
// nothing waits. The password is the one the station was given; an inventory or a series that
// would open its screen is told in the log and the line goes on at once, its ACK not held.

#include <string>
#include <string_view>
#include <utility>

#include "gauge/modal_screens.h"
#include "gauge/shared_tables.h"
#include "link/log_sink.h"

namespace qx7 {

class Telas_Sem_Janela : public Telas {
  public:
    Telas_Sem_Janela(Variaveis_Programa& variaveis, Registro& registro)
        : variaveis_(variaveis), registro_(registro) {}

    void Definir_Senha(std::string senha) { senha_ = std::move(senha); }

    void Abrir_Senha() override;
    bool Abrir_Data() override;
    void Abrir_Resultados() override;
    void Abrir_Inventario() override;
    void Aviso(std::string_view texto, std::string_view titulo) override;

  private:
    Variaveis_Programa& variaveis_;
    Registro& registro_;
    std::string senha_;  // in the line's code page
};

}  // namespace qx7
