#pragma once
// "Histórico": a window beside the panel, or alone (comunicacao-qx7 --historico), that shows
// what a history file holds, in six tabs, with the automatic reading's interval, opening
// another file (moved aside or backed up), export, printing and closing below them. It opens
// within the screen's free area; each tab scrolls when the window is smaller than it.

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
    // Reads `arquivo` from now on, read-only.
    void Abrir_Arquivo(const QString& arquivo);
    // Writes the tab in view.
    bool Exportar_Csv(const QString& caminho, QString& erro);
    // Prints the tab in view as a report.
    Resultado_Impressao Imprimir();

    Meios_Impressao meios_impressao = Meios_Do_Sistema();
    // The file to open; empty when the operator gives up. Tests put their own in.
    std::function<QString(QWidget& janela)> escolher_arquivo;

  private:
    struct Pagina {
        Aba_Historico* aba = nullptr;
        QString arquivo_csv;  // offered to the export
    };

    QWidget* Montar_Leitura_Automatica();
    QWidget* Montar_Botoes();
    void Ajustar_A_Tela();
    Aba_Historico& Aba_Atual() const;
    void Mostrar_Intervalo(int minutos);
    void Intervalo_Mudou();
    void Avisar(const QString& motivo);
    void Mostrar_Arquivo();
    void Exportar_Click();
    void Exportar_Em_Segundo_Plano(std::function<bool(QString&)> tarefa);

    Servicos_Historico servicos_;
    QString arquivo_;  // the file read: the program's, or the one the operator opened
    QTabWidget* abas_ = nullptr;
    std::vector<Pagina> paginas_;
    QLabel* aviso_ = nullptr;
    QLabel* arquivo_aberto_ = nullptr;
    QPushButton* historico_atual_ = nullptr;
    QCheckBox* automatica_ = nullptr;
    QSpinBox* intervalo_ = nullptr;
    QPushButton* exportar_ = nullptr;
};

}  // namespace qx7
