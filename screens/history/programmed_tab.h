#pragma once
// "Medições programadas": the stored series by date; choosing one shows its records.

#include <vector>

#include "history/queries.h"
#include "screens/history/history_tab.h"

class QStandardItemModel;
class QTableView;

namespace qx7 {

class Aba_Programadas : public Aba_Historico {
    Q_OBJECT

  public:
    Aba_Programadas(QString arquivo, QWidget* parent = nullptr);

    void Atualizar(QSqlDatabase* banco) override;

  protected:
    // The series and, when one is chosen, its records.
    std::vector<Tabela_Aba> Tabelas() const override;
    QString Titulo() const override;

  private:
    void Selecao_Mudou();
    int Serie_Escolhida() const;  // -1: none

    std::vector<Serie_Programada_Historico> series_;  // in the table's order
    QTableView* lista_ = nullptr;
    QStandardItemModel* modelo_series_ = nullptr;
    QTableView* registros_ = nullptr;
    QStandardItemModel* modelo_registros_ = nullptr;
};

}  // namespace qx7
