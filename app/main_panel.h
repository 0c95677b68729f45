#pragma once
// Form1, the main panel: every display and button of the program, the serial link and the
// gauge logic behind them, the three timers and the communication log. The widgets are laid
// out, hooked and given their role from Layout_Form1(); the link and the gauge logic reach
// them through Painel, and the link's yields and clock go through Plataforma.

#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/log_model.h"
#include "app/main_panel_layout.h"
#include "gauge/medidor.h"
#include "gauge/modal_screens.h"
#include "gauge/shared_tables.h"
#include "link/link.h"
#include "link/panel.h"
#include "link/platform.h"
#include "link/serial_port.h"
#include "screens/history/history_services.h"

class QAbstractButton;
class QRadioButton;

namespace qx7 {

class Janela_Historico;
class Porta_Serial_Qt;
class Registro_Log;
class Vista_Log;

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

inline constexpr int Intervalo_Timer1_ms = 1000;
inline constexpr int Intervalo_Timer2_ms = 1000;
inline constexpr int Intervalo_Timer3_ms = 25;

inline constexpr std::size_t Numero_Controles =
    static_cast<std::size_t>(Controle::Leitura_Tanques) + 1;

class Form1 : public QWidget, public Painel, public Plataforma {
    Q_OBJECT

  public:
    Form1(Variaveis_Programa& variaveis, PortaSerial& canal, Servicos_Form1 servicos,
          QWidget* parent = nullptr);
    ~Form1() override;

    // The opening: the serial port, the disconnected state, the timers and the "ID02"
    // request. False when the operator chose to end the program rather than configure a
    // port; the panel is then not to be shown.
    bool Form_Load();

    // Painel
    std::string Texto(Controle controle) const override;
    void Definir_Texto(Controle controle, std::string_view texto) override;
    void Habilitar(Controle controle, bool habilitado) override;
    void Habilitar_Tanque(int k, bool habilitado) override;
    bool Tanque_Habilitado(int k) const override;
    void Altura_Liquido(float twips) override;
    void Selecionar_Sinal(int i) override;

    // Plataforma
    void Processar_Eventos() override;
    void Aguardar_Eventos(int ms_max) override;
    void Pausa_ms(int ms) override;
    std::string Data_Atual() override;
    std::string Hora_Atual() override;
    char Separador_Decimal() const override;

    Enlace& Enlace_Serial() { return *enlace_; }
    Medidor& Logica_Medidor() { return *medidor_; }
    Modelo_Log& Log() { return modelo_log_; }
    Registro& Log_Registro();

    // The panel's own buttons, hooked from the layout.
    void Configuracao_Click();
    void Limpar_Log_Click();
    void Sair_Click();
    // Opens the history window, or brings the open one forward; also Ctrl+H.
    void Historico_Click();

    // What the history window is given; until then it does not open.
    void Definir_Historico(Servicos_Historico servicos);

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    void Montar_Controles();
    void Ligar_Botao(QAbstractButton* botao, const Acao_Botao& acao);
    void Ligar_Timers();

    void Fechar_Canal();
    void Aguardar_Dispositivo(const QString& motivo);
    void Timer1_Tick();
    void Timer2_Tick();
    void Timer3_Tick();
    void Registrar_Falha(const QString& linha);       // the port's device went away
    void Registrar_Reabertura(const QString& linha);  // and came back

    QWidget* Elemento(Controle controle) const;

    Variaveis_Programa& variaveis_;
    PortaSerial& canal_;
    Porta_Serial_Qt* porta_qt_ = nullptr;  // the real port, when it is one: loss and reopening
    Servicos_Form1 servicos_;

    Modelo_Log modelo_log_;
    Vista_Log* msg_log_ = nullptr;
    std::unique_ptr<Registro_Log> registro_;
    std::array<QWidget*, Numero_Controles> controles_{};  // by Controle, as the layout gives them
    std::array<QRadioButton*, 16> tanques_{};
    std::array<QRadioButton*, 5> sinais_{};
    QWidget* altura_liquido_ = nullptr;

    // Children of the panel, so they can be found by name; a member leaves its parent's list
    // when destroyed, before the panel deletes its children.
    QTimer Timer1_{this};
    QTimer Timer2_{this};
    QTimer Timer3_{this};
    QTimer despertador_;  // bounds Aguardar_Eventos' sleep

    QShortcut atalho_historico_{QKeySequence(Qt::CTRL | Qt::Key_H), this};
    std::optional<Servicos_Historico> servicos_historico_;
    QPointer<Janela_Historico> janela_historico_;

    std::unique_ptr<Telas> telas_proprias_;
    std::unique_ptr<Enlace> enlace_;
    std::unique_ptr<Medidor> medidor_;
};

}  // namespace qx7
