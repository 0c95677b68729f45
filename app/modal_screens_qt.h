#pragma once
// The modal screens of the gauge logic, opened over the main panel. Each screen is created
// when shown and destroyed when closed; an inventory screen already open is refreshed instead
// of opening a second one.

#include <QPointer>

#include "gauge/modal_screens.h"
#include "gauge/shared_tables.h"
#include "screens/inventory/form2.h"

class QWidget;

namespace qx7 {

class Telas_Qt : public Telas {
  public:
    Telas_Qt(Variaveis_Programa& variaveis, QWidget* pai) : variaveis_(variaveis), pai_(pai) {}

    void Abrir_Senha() override;
    bool Abrir_Data() override;
    void Abrir_Resultados() override;
    void Abrir_Inventario() override;
    void Aviso(std::string_view texto, std::string_view titulo) override;

    Form2* Inventario_Aberto() const { return inventario_; }

  private:
    Variaveis_Programa& variaveis_;
    QWidget* pai_;
    QPointer<Form2> inventario_;
};

}  // namespace qx7
