#pragma once
// "Alarmes": the settings under the keys of Preferencias.ini, the alarms active now with
// "Reconhecer", and the log of every occurrence the file keeps. The settings and the active
// alarms are the running program's; the window alone, or over another file, shows the log only.

#include <QtGlobal>
#include <vector>

#include "gauge/alarms.h"
#include "screens/history/history_tab.h"
#include "station/history_services.h"

class QGroupBox;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTimer;

namespace qx7 {

class Editor_Alarmes;

class Aba_Alarmes : public Aba_Historico {
    Q_OBJECT

  public:
    // The writer has put an acknowledgement in the file by then, as a rule: the log is read again.
    static constexpr int Espera_Registro_ms = 1000;

    // `servicos` outlives the tab.
    Aba_Alarmes(const Servicos_Historico& servicos, QWidget* parent = nullptr);

    void Atualizar(QSqlDatabase* banco) override;
    // Acknowledges the active alarms chosen in the table.
    void Reconhecer_Click();

  protected:
    // The active alarms, then the log.
    std::vector<Tabela_Aba> Tabelas() const override;
    QString Titulo() const override;

  private:
    bool Do_Programa() const;
    void Mostrar_Ativos();

    const Servicos_Historico& servicos_;
    QGroupBox* configuracao_ = nullptr;
    Editor_Alarmes* editor_ = nullptr;
    QGroupBox* grupo_ativos_ = nullptr;
    QTableView* tabela_ativos_ = nullptr;
    QStandardItemModel* ativos_ = nullptr;
    std::vector<Alarme> lista_ativos_;  // in the table's order
    QPushButton* reconhecer_ = nullptr;
    QStandardItemModel* registro_ = nullptr;
    QTimer* releitura_ = nullptr;
};

}  // namespace qx7
