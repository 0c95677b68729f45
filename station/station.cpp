#include "station/station.h"

#include <utility>

#include "station/history_wiring.h"
#include "station/port_preferences.h"
#include "station/publication_wiring.h"
#include "station/serial_port_qt.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

std::unique_ptr<Porta_Serial_Qt> Porta_Se_Falta(const Opcoes_Estacao& opcoes) {
    if (opcoes.porta != nullptr) {
        return nullptr;
    }
    return std::make_unique<Porta_Serial_Qt>(opcoes.diretorio_base,
                                             Ler_Preferencias_Porta(opcoes.diretorio_base));
}

Variaveis_Programa Variaveis_Sobre(const std::filesystem::path& diretorio_base) {
    Variaveis_Programa variaveis;
    variaveis.Diretorio_Base = diretorio_base;
    return variaveis;
}

}  // namespace

Estacao::Estacao(Opcoes_Estacao opcoes, QObject* parent)
    : QObject(parent),
      variaveis_(Variaveis_Sobre(opcoes.diretorio_base)),
      porta_propria_(Porta_Se_Falta(opcoes)),
      canal_(opcoes.porta != nullptr ? *opcoes.porta : *porta_propria_) {
    enlace_.Processar_Mensagem_Recebida = [this](const std::string& Msg_RX) {
        medidor_.Processar_Mensagem_Recebida(Msg_RX);
    };
    enlace_.Linha_Mudou = [this](Situacao_Linha linha) { medidor_.Linha_Mudou(linha); };
    medidor_.Conexao_Mudou = [this](Conexao conexao) { emit Conexao_Mudou(conexao); };
    Ligar_Timers();
    if (porta_propria_ != nullptr) {
        Ligar_Porta_Propria();
    }
}

Estacao::~Estacao() = default;

void Estacao::Ligar_Porta_Propria() {
    Porta_Serial_Qt* porta = porta_propria_.get();
    connect(porta, &Porta_Serial_Qt::Falha, this, &Estacao::Porta_Perdida);
    connect(porta, &Porta_Serial_Qt::Reaberta, this, &Estacao::Porta_Reaberta);
    connect(porta, &Porta_Serial_Qt::Aviso, this, &Estacao::Aviso_Porta);
    enlace_.Linha_Muda = [porta] {
        porta->Reiniciar(QStringLiteral("nenhum byte recebido em %1 time-outs de recepção seguidos")
                             .arg(Enlace::Timeouts_Linha_Muda));
    };
}

void Estacao::Porta_Perdida(const QString& linha) {
    registro_.Adicionar_Aviso(Para_1252(linha));
    enlace_.Porta_Perdida();
}

void Estacao::Porta_Reaberta(const QString& linha) {
    registro_.Adicionar(Para_1252(linha));
    enlace_.Porta_Reaberta();
}

void Estacao::Aviso_Porta(const QString& linha) {
    registro_.Adicionar_Aviso(Para_1252(linha));
}

void Estacao::Definir_Telas(Telas* telas) {
    telas_.Apontar(telas != nullptr ? *telas : sem_janela_);
}

Inicio_Canal Estacao::Iniciar(const Ganchos_Inicializacao& ganchos) {
    painel_.Definir_Texto(Controle::Estado, "OFF-LINE");
    variaveis_.Modo_Inventario = false;
    const Resultado_Inicio inicio =
        Inicializar_Canal_Serial(canal_, variaveis_.Diretorio_Base, ganchos);
    if (inicio.inicio == Inicio_Canal::Sair) {
        return inicio.inicio;
    }
    medidor_.Inicializar_Variaveis();
    if (inicio.inicio == Inicio_Canal::Aguardando_Dispositivo) {
        Aguardar_Dispositivo(inicio.motivo);
    }
    Timer1_.start(Intervalo_Timer1_ms);
    Timer2_.start(Intervalo_Timer2_ms);
    Timer3_.start(Intervalo_Timer3_ms);
    medidor_.Fechar_Conexao_Click();
    return inicio.inicio;
}

// Started before its adapter (a power cut, udev not done): the port opens as after an unplug.
void Estacao::Aguardar_Dispositivo(const std::string& motivo) {
    registro_.Adicionar_Aviso(Para_1252(
        QStringLiteral("Porta serial fechada: %1; será aberta quando o dispositivo aparecer")
            .arg(QString::fromStdString(motivo))));
    if (porta_propria_ != nullptr) {
        porta_propria_->Aguardar_Dispositivo();
    }
    enlace_.Verificar_Linha();
}

void Estacao::Iniciar_Historico(int intervalo_padrao) {
    historico_ =
        std::make_unique<Historico_Programa>(variaveis_.Diretorio_Base, *this, intervalo_padrao);
}

void Estacao::Iniciar_Publicacao(Tempos_Publicacao tempos) {
    const std::filesystem::path& base = variaveis_.Diretorio_Base;
    publicacao_ = std::make_unique<Publicacao_Programa>(
        *this, Arquivo_No_Diretorio(base, Arquivo_Preferencias),
        historico_ ? Arquivo_No_Diretorio(base, Arquivo_Historico) : QString(), tempos);
}

void Estacao::Encerrar() {
    Timer1_.stop();
    Timer2_.stop();
    Timer3_.stop();
    canal_.DTREnable(false);
    canal_.RTSEnable(false);
    canal_.PortOpen(false);
}

void Estacao::Ligar_Timers() {
    Timer1_.setObjectName(QStringLiteral("Timer1"));
    Timer2_.setObjectName(QStringLiteral("Timer2"));
    Timer3_.setObjectName(QStringLiteral("Timer3"));
    Timer3_.setTimerType(Qt::PreciseTimer);  // the same rhythm on every exchange
    connect(&Timer1_, &QTimer::timeout, this, [this] { enlace_.Timer1_Tick(); });
    connect(&Timer2_, &QTimer::timeout, this, [this] { enlace_.Timer2_Tick(); });
    connect(&Timer3_, &QTimer::timeout, this, &Estacao::Timer3_Tick);
}

void Estacao::Timer3_Tick() {
    enlace_.Timer3_Tick();
    // The next tick comes a full interval after this one ends, so a tick that transmitted
    // (two 5 ms pauses and the transmit wait) does not eat into the gap in which the gauge
    // answers: the engine still runs at most 40 times a second.
    if (Timer3_.isActive()) {
        Timer3_.start();
    }
}

}  // namespace qx7
