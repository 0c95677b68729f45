#include "app/main_panel.h"

#include <QCloseEvent>
#include <utility>

#include "app/log_view.h"
#include "app/main_panel_layout.h"
#include "app/modal_screens_qt.h"
#include "app/serial_port_qt.h"
#include "app/startup.h"
#include "widgets/centre_on_screen.h"
#include "widgets/codepage.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

namespace qx7 {

Form1::Form1(Variaveis_Programa& variaveis, PortaSerial& canal, Servicos_Form1 servicos,
             QWidget* parent)
    : QWidget(parent), variaveis_(variaveis), canal_(canal), servicos_(std::move(servicos)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Comunicação - QX7/QXV7 - Versão 1.00f"));
    setFont(Sans_Serif(Pontos_Form1));
    setFixedSize(Tamanho(Largura_Form1, Altura_Form1));
    Centralizar_Ao_Mostrar(*this);
    Montar_Controles();
    registro_ = std::make_unique<Registro_Log>(modelo_log_, *msg_log_);
    if (servicos_.telas == nullptr) {
        telas_proprias_ = std::make_unique<Telas_Qt>(variaveis_, this);
        servicos_.telas = telas_proprias_.get();
    }
    enlace_ = std::make_unique<Enlace>(canal_, *this, *registro_, *this);
    medidor_ = std::make_unique<Medidor>(variaveis_, *this, *servicos_.telas, *enlace_, *this);
    enlace_->Processar_Mensagem_Recebida = [this](const std::string& Msg_RX) {
        medidor_->Processar_Mensagem_Recebida(Msg_RX);
    };
    enlace_->Linha_Mudou = [this](Situacao_Linha linha) { medidor_->Linha_Mudou(linha); };
    Ligar_Timers();
    atalho_historico_.setObjectName(QStringLiteral("Atalho_Historico"));
    connect(&atalho_historico_, &QShortcut::activated, this, &Form1::Historico_Click);
    porta_qt_ = dynamic_cast<Porta_Serial_Qt*>(&canal_);
    if (porta_qt_ != nullptr) {
        connect(porta_qt_, &Porta_Serial_Qt::Falha, this, &Form1::Registrar_Falha);
        connect(porta_qt_, &Porta_Serial_Qt::Reaberta, this, &Form1::Registrar_Reabertura);
        enlace_->Linha_Muda = [this] {
            porta_qt_->Reiniciar(QStringLiteral("nenhum byte recebido em %1 time-outs de "
                                                "recepção seguidos")
                                     .arg(Enlace::Timeouts_Linha_Muda));
        };
    }
}

void Form1::Registrar_Falha(const QString& linha) {
    registro_->Adicionar(Para_1252(linha));
    enlace_->Porta_Perdida();
}

void Form1::Registrar_Reabertura(const QString& linha) {
    registro_->Adicionar(Para_1252(linha));
    enlace_->Porta_Reaberta();
}

Form1::~Form1() = default;

Registro& Form1::Log_Registro() {
    return *registro_;
}

bool Form1::Form_Load() {
    Definir_Texto(Controle::Estado, "OFF-LINE");
    variaveis_.Modo_Inventario = false;
    const Ganchos_Inicializacao ganchos{
        [this] { return servicos_.abrir_configuracao(this); },
        [this] { return servicos_.confirmar_saida(this); },
    };
    const Resultado_Inicio inicio =
        Inicializar_Canal_Serial(canal_, variaveis_.Diretorio_Base, ganchos);
    if (inicio.inicio == Inicio_Canal::Sair) {
        return false;
    }
    medidor_->Inicializar_Variaveis();
    if (inicio.inicio == Inicio_Canal::Aguardando_Dispositivo) {
        Aguardar_Dispositivo(QString::fromStdString(inicio.motivo));
    }
    Timer1_.start(Intervalo_Timer1_ms);
    Timer2_.start(Intervalo_Timer2_ms);
    Timer3_.start(Intervalo_Timer3_ms);
    medidor_->Fechar_Conexao_Click();
    return true;
}

// Started before its adapter (a power cut, udev not done): the port opens as after an unplug.
void Form1::Aguardar_Dispositivo(const QString& motivo) {
    registro_->Adicionar(Para_1252(
        QStringLiteral("Porta serial fechada: %1; será aberta quando o dispositivo aparecer")
            .arg(motivo)));
    if (porta_qt_ != nullptr) {
        porta_qt_->Aguardar_Dispositivo();
    }
    enlace_->Verificar_Linha();
}

void Form1::Ligar_Timers() {
    Timer1_.setObjectName(QStringLiteral("Timer1"));
    Timer2_.setObjectName(QStringLiteral("Timer2"));
    Timer3_.setObjectName(QStringLiteral("Timer3"));
    Timer3_.setTimerType(Qt::PreciseTimer);  // the same rhythm on every exchange
    despertador_.setSingleShot(true);
    despertador_.setTimerType(Qt::PreciseTimer);
    connect(&Timer1_, &QTimer::timeout, this, &Form1::Timer1_Tick);
    connect(&Timer2_, &QTimer::timeout, this, &Form1::Timer2_Tick);
    connect(&Timer3_, &QTimer::timeout, this, &Form1::Timer3_Tick);
}

void Form1::Configuracao_Click() {
    servicos_.abrir_configuracao(this);
}

void Form1::Limpar_Log_Click() {
    modelo_log_.Limpar();
    msg_log_->Redesenhar_Agora();
}

void Form1::Sair_Click() {
    Fechar_Canal();
    servicos_.encerrar();
}

// Drops DTR and RTS and closes the port, in this order; nothing more is sent afterwards.
void Form1::Fechar_Canal() {
    Timer1_.stop();
    Timer2_.stop();
    Timer3_.stop();
    canal_.DTREnable(false);
    canal_.RTSEnable(false);
    canal_.PortOpen(false);
}

void Form1::Timer1_Tick() {
    enlace_->Timer1_Tick();
}

void Form1::Timer2_Tick() {
    enlace_->Timer2_Tick();
}

void Form1::Timer3_Tick() {
    enlace_->Timer3_Tick();
    // The next tick comes a full interval after this one ends, so a tick that transmitted
    // (two 5 ms pauses and the transmit wait) does not eat into the gap in which the gauge
    // answers: the engine still runs at most 40 times a second.
    if (Timer3_.isActive()) {
        Timer3_.start();
    }
}

// Closing the window by its close box leaves the line as "Sair" does, and a port that went away
// is not tried again.
void Form1::closeEvent(QCloseEvent* evento) {
    if (canal_.PortOpen() || Timer3_.isActive()) {
        Fechar_Canal();
    }
    QWidget::closeEvent(evento);
}

}  // namespace qx7
