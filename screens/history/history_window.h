#pragma once
// "Histórico": a window beside the panel that shows what Historico.sqlite holds, in four
// tabs, with the automatic reading's interval, export, printing and closing below them.

#include <QWidget>
#include <functional>
#include <vector>

#include "station/history_services.h"
#include "widgets/print.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qx7 {

class Aba_Historico;

class Janela_Historico : public QWidget {
    Q_OBJECT

  public:
    explicit Janela_Historico(Servicos_Historico servicos, QWidget* parent = nullptr);

    // Reads every tab again over one connection, closed before returning.
    void Atualizar();
    // Writes the tab in view.
    bool Exportar_Csv(const QString& caminho, QString& erro);

    Meios_Impressao meios_impressao = Meios_Do_Sistema();

  private:
    QWidget* Montar_Leitura_Automatica();
    QWidget* Montar_Botoes();
    void Mostrar_Intervalo(int minutos);
    void Intervalo_Mudou();
    void Avisar(const QString& motivo);
    void Exportar_Click();
    void Exportar_Em_Segundo_Plano(std::function<bool(QString&)> tarefa);

    Servicos_Historico servicos_;
    QTabWidget* abas_ = nullptr;
    std::vector<Aba_Historico*> paginas_;
    QLabel* aviso_ = nullptr;
    QCheckBox* automatica_ = nullptr;
    QSpinBox* intervalo_ = nullptr;
    QPushButton* exportar_ = nullptr;
};

}  // namespace qx7
