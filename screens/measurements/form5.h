#pragma once
// "Medições na data ": the programmed measurements the gauge returned for the requested date,
// one row each, or a message when there are none. Reads the shared data once, on opening.
// Printing prints every filled row, on several pages when the grid cannot show them all.

#include <QDialog>

#include "gauge/shared_tables.h"
#include "widgets/print.h"

class QLabel;

namespace qx7 {

class Grade;

class Form5 : public QDialog {
    Q_OBJECT

  public:
    explicit Form5(const Variaveis_Programa& variaveis, QWidget* parent = nullptr);

    void Definir_Meios_Impressao(Meios_Impressao meios) { meios_impressao_ = std::move(meios); }

  private:
    void Montar_Controles();
    void Abrir();
    void Inicializa_Tabela();
    void Prepara_Tabela();
    void Imprimir_Click();

    const Variaveis_Programa& variaveis_;
    Grade* resultados_ = nullptr;
    QLabel* erro_ = nullptr;
    Meios_Impressao meios_impressao_ = Meios_Do_Sistema();
    int linhas_preenchidas_ = 0;
};

}  // namespace qx7
