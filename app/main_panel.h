#pragma once
// Form1, the main panel: every display and button of the program over the station. The
// widgets are laid out, hooked and given their role from Layout_Form1(); they show the
// station's panel state as it changes and forward the operator's clicks and typing to it.
// Nothing is read back from a widget.

#include <QPointer>
#include <QShortcut>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/log_model.h"
#include "app/main_panel_layout.h"
#include "gauge/modal_screens.h"
#include "station/history_services.h"
#include "station/panel_state.h"
#include "station/startup.h"
#include "station/station.h"

class QAbstractButton;
class QMessageBox;
class QRadioButton;
class QSystemTrayIcon;

namespace qx7 {

class Janela_Historico;
class Registro_Log;
class Vista_Log;

inline const QString Titulo_Form1 = QStringLiteral("Comunicação - QX7/QXV7 - Versão 1.00f");

// What the panel asks of the outside world; tests replace each part.
struct Servicos_Form1 {
    // The configuration screen, shown modally; true when a port was picked on it.
    std::function<bool(QWidget* pai)> abrir_configuracao;
    // Asked when the start-up still finds no usable port after the configuration screen was
    // closed without a pick; true ends the program.
    std::function<bool(QWidget* pai)> confirmar_saida;
    // Ends the program at once ("Sair").
    std::function<void()> encerrar;
    // The modal screens the gauge logic opens; null: the Qt screens over this panel.
    Telas* telas = nullptr;
};

class Form1 : public QWidget {
    Q_OBJECT

  public:
    Form1(Estacao& estacao, Servicos_Form1 servicos, QWidget* parent = nullptr);
    ~Form1() override;

    // The opening of the station with this panel's configuration screen and question. False
    // when the operator chose to end the program; the panel is then not to be shown.
    bool Form_Load();

    Modelo_Log& Log() { return modelo_log_; }

    // The panel's own buttons, hooked from the layout.
    void Configuracao_Click();
    void Limpar_Log_Click();
    void Sair_Click();
    // Opens the history window, or brings the open one forward; also Ctrl+H.
    void Historico_Click();
    // Ctrl+Shift+P: the "Publicação" dialog (also on the history window's "Enlace" tab); no
    // control of the panel moves for it.
    void Publicacao_Click();

    // What the history window is given; until then it does not open. Its alarms are shown
    // from then on.
    void Definir_Historico(Servicos_Historico servicos);

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    void Montar_Controles();
    void Ligar_Botao(QAbstractButton* botao, const Acao_Botao& acao);
    void Mostrar_Estado();
    void Mostrar_Texto(Controle controle, const QString& texto);
    void Mostrar_Altura(float twips);
    void Mostrar_Mensagem(const QString& chave, const QString& titulo, const QString& texto);
    void Retirar_Mensagem(const QString& chave);

    QWidget* Elemento(Controle controle) const;

    // main_panel_alarms.cpp: while an alarm is active and not acknowledged, the title counts
    // them, a tray icon does too (where the desktop has a tray), and the percentage box is
    // coloured when the tank on the panel has one; no specified control moves, no window opens.
    void Ligar_Alarmes();
    void Mostrar_Alarmes();
    void Colorir_Percentual();
    void Notificar_Alarme(const QString& texto);

    Estacao& estacao_;
    Servicos_Form1 servicos_;

    Modelo_Log modelo_log_;
    Vista_Log* msg_log_ = nullptr;
    std::unique_ptr<Registro_Log> registro_;
    std::array<QWidget*, Numero_Controles> controles_{};  // by Controle, as the layout gives them
    std::array<QRadioButton*, Tanques_Painel> tanques_{};
    std::array<QRadioButton*, Lampadas_Painel> sinais_{};
    QWidget* altura_liquido_ = nullptr;

    QShortcut atalho_historico_{QKeySequence(Qt::CTRL | Qt::Key_H), this};
    QShortcut atalho_publicacao_{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this};
    std::optional<Servicos_Historico> servicos_historico_;
    QPointer<Janela_Historico> janela_historico_;

    QSystemTrayIcon* bandeja_ = nullptr;  // none where the desktop has no tray
    std::vector<Alarme> alarmes_nao_reconhecidos_;

    std::unique_ptr<Telas> telas_proprias_;
    std::map<QString, QPointer<QMessageBox>> mensagens_;  // the station's, by key
};

}  // namespace qx7
