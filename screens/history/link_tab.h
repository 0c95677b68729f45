#pragma once
// "Enlace": the link's counters in this session and since the history began, the records the
// history had to drop, the gauge clock's drift against the computer's, with a warning when it
// has gone too far, and the publishing to the head office: its state, kept current, and the
// "Publicação" dialog.

#include <QTimer>

#include "screens/history/history_tab.h"
#include "station/history_services.h"

class QLabel;
class QStandardItemModel;
class QTableView;

namespace qx7 {

class Aba_Enlace : public Aba_Historico {
    Q_OBJECT

  public:
    // `servicos` outlives the tab.
    Aba_Enlace(const Servicos_Historico& servicos, QWidget* parent = nullptr);

    void Atualizar(QSqlDatabase* banco) override;

  protected:
    // The counters, then the clock answers.
    std::vector<Tabela_Aba> Tabelas() const override;
    QString Titulo() const override;

  private:
    void Preencher_Contadores(const Estatisticas_Enlace& gravados);
    void Preencher_Relogio(QSqlDatabase* banco);
    void Mostrar_Perdidos();
    void Mostrar_Publicacao();
    void Abrir_Publicacao();

    const Servicos_Historico& servicos_;
    QStandardItemModel* contadores_ = nullptr;
    QStandardItemModel* relogio_ = nullptr;
    QLabel* aviso_ = nullptr;
    QLabel* perdidos_ = nullptr;
    QLabel* publicacao_ = nullptr;
    QTimer relogio_publicacao_{this};
};

}  // namespace qx7
