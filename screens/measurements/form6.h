#pragma once
// "Digitar Data": asks for the date whose programmed measurements are wanted. Confirming
// stores the text exactly as typed in Data_Solicitada and accepts; the close box and Escape
// store nothing and reject, so the request is cancelled.

#include <QDialog>

#include "gauge/shared_tables.h"

class QLineEdit;

namespace qx7 {

class Form6 : public QDialog {
    Q_OBJECT

  public:
    explicit Form6(Variaveis_Programa& variaveis, QWidget* parent = nullptr);

  private:
    void Solicitar_Medicoes_Click();

    Variaveis_Programa& variaveis_;
    QLineEdit* data_medicoes_ = nullptr;
};

}  // namespace qx7
