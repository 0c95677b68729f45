#pragma once
// "Inventários": the completed inventory runs with their totals per product; two runs chosen,
// the stock variation between them per product and per tank. A tank missing from a run or
// whose value could not be read is said so, never counted as 0.

#include <vector>

#include "history/queries.h"
#include "screens/history/history_tab.h"

class QLabel;
class QStandardItemModel;
class QTableView;

namespace qx7 {

class Aba_Inventarios : public Aba_Historico {
    Q_OBJECT

  public:
    Aba_Inventarios(QString arquivo, QWidget* parent = nullptr);

    void Atualizar(QSqlDatabase* banco) override;

  protected:
    // The runs and, when two are chosen, their variation per product and per tank.
    std::vector<Tabela_Aba> Tabelas() const override;
    QString Titulo() const override;

  private:
    struct Tabela {
        QTableView* vista = nullptr;
        QStandardItemModel* modelo = nullptr;
    };

    Tabela Nova_Tabela(const char* nome, const QStringList& cabecalho);
    void Preencher_Inventarios();
    void Selecao_Mudou();
    void Preencher_Diferenca(const Diferenca_Inventarios& diferenca);

    std::vector<Inventario_Historico> inventarios_;  // in the table's order
    Tabela lista_;
    Tabela produtos_;
    Tabela tanques_;
    QLabel* dica_ = nullptr;
    QLabel* comparacao_ = nullptr;
    QString comparados_;  // "do inventário de … ao de …"
};

}  // namespace qx7
