#pragma once
// "Descargas": every delivery found in the readings, newest first, with the volume before and
// after, so the amount can be checked against the invoice.

#include "screens/history/history_tab.h"

class QStandardItemModel;

namespace qx7 {

class Aba_Descargas : public Aba_Historico {
    Q_OBJECT

  public:
    Aba_Descargas(QString arquivo, QWidget* parent = nullptr);

    void Atualizar(QSqlDatabase* banco) override;

  protected:
    std::vector<Tabela_Aba> Tabelas() const override;
    QString Titulo() const override;

  private:
    QStandardItemModel* descargas_ = nullptr;
};

}  // namespace qx7
