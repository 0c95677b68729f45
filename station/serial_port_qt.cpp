#include "station/serial_port_qt.h"

#include <algorithm>
#include <type_traits>
#include <utility>

#include "station/base_dir.h"
#include "station/port_discovery.h"
#include "station/serial_port_qt_state.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

constexpr int Intervalo_Vigia_ms = 50;
constexpr int Maior_Porta = 255;

static_assert(std::is_same_v<decltype(std::declval<QSerialPort&>().handle()), Descritor_Linha>);

}  // namespace

Porta_Serial_Qt::Porta_Serial_Qt(std::filesystem::path diretorio_base,
                                 const Preferencias_Porta& preferencias, Fabrica_Linha fabrica,
                                 QObject* parent)
    : QObject(parent), estado_(std::make_unique<Estado>(preferencias)) {
    Estado& e = *estado_;
    e.base = std::move(diretorio_base);
    e.fabrica = fabrica ? std::move(fabrica) : Fabrica_Linha(Criar_Linha_Sistema);
    e.vigia.setInterval(Intervalo_Vigia_ms);
    connect(&e.porta, &QSerialPort::readyRead, this, &Porta_Serial_Qt::Ao_Receber);
    connect(&e.porta, &QSerialPort::errorOccurred, this, &Porta_Serial_Qt::Ao_Erro);
    connect(&e.vigia, &QTimer::timeout, this, &Porta_Serial_Qt::Vigiar);
    connect(&e.reabertura.temporizador, &QTimer::timeout, this, &Porta_Serial_Qt::Tentar_Reabrir);
}

Porta_Serial_Qt::~Porta_Serial_Qt() {
    Fechar();
}

bool Porta_Serial_Qt::CommPort(int numero) {
    Estado& e = *estado_;
    if (numero < 1 || numero > Maior_Porta) {
        return e.Recusar(QStringLiteral("Número de porta recusado: %1").arg(numero));
    }
    if (e.porta.isOpen()) {
        return e.Recusar(QStringLiteral("A porta %1 está aberta; feche-a antes de trocar de porta")
                             .arg(e.Nome()));
    }
    e.numero = numero;
    return true;
}

bool Porta_Serial_Qt::Settings(std::string_view texto) {
    Estado& e = *estado_;
    const std::optional<Parametros_Serial> parametros = Interpretar_Settings(texto);
    if (!parametros) {
        return e.Recusar(
            QStringLiteral("Configuração de porta inválida: \"%1\"").arg(De_1252(texto)));
    }
    e.parametros = *parametros;
    if (e.trabalhador) {
        e.trabalhador->Definir_Parametros(e.parametros);
    }
    if (!Aplicar(e.porta, e.parametros)) {
        const QString motivo = e.Tomar_Motivo_Erro_Qt();
        return e.Recusar(QStringLiteral("A porta %1 recusou a configuração \"%2\": %3")
                             .arg(e.Nome(), De_1252(texto), motivo));
    }
#ifdef Q_OS_WIN
    // Qt writes the whole device control block back, with DTR and RTS as they were when the
    // port opened; the port thread sets them again after it.
    DTREnable(e.dtr);
    RTSEnable(e.rts);
#endif
    return true;
}

bool Porta_Serial_Qt::InputLen(int n) {
    if (n < 0) {
        return estado_->Recusar(QStringLiteral("InputLen recusado: %1").arg(n));
    }
    estado_->input_len = n;
    return true;
}

bool Porta_Serial_Qt::RThreshold(int n) {
    if (n < 0) {
        return estado_->Recusar(QStringLiteral("RThreshold recusado: %1").arg(n));
    }
    estado_->rthreshold = n;
    return true;
}

bool Porta_Serial_Qt::DTREnable(bool ligado) {
    Estado& e = *estado_;
    e.dtr = ligado;
    if (e.trabalhador) {
        e.trabalhador->Definir_DTR(ligado);
    }
    return true;
}

bool Porta_Serial_Qt::RTSEnable(bool ligado) {
    Estado& e = *estado_;
    e.rts = ligado;
    if (e.trabalhador && e.fluxo != QSerialPort::HardwareControl) {
        e.trabalhador->Definir_RTS(ligado);
    }
    return true;
}

bool Porta_Serial_Qt::PortOpen(bool abrir) {
    Estado& e = *estado_;
    if (!abrir) {
        Parar_Reabertura();
        Fechar();
        return true;
    }
    if (e.porta.isOpen()) {
        return e.Recusar(QStringLiteral("A porta %1 já está aberta").arg(e.Nome()));
    }
    if (const std::optional<QString> motivo = Abrir()) {
        return e.Recusar(
            QStringLiteral("A porta %1 não pode ser aberta: %2").arg(e.Nome(), *motivo));
    }
    Parar_Reabertura();
    return true;
}

std::optional<QString> Porta_Serial_Qt::Abrir() {
    Estado& e = *estado_;
    const Dispositivo_COM resolvido = Resolver_COM(e.base, e.numero);
    if (resolvido.situacao != Dispositivo_COM::Situacao::Pronto) {
        return resolvido.motivo;
    }
    e.porta.setPortName(resolvido.caminho);
    Aplicar(e.porta, e.parametros);
    e.porta.setFlowControl(e.fluxo);
    if (!e.porta.open(QIODevice::ReadWrite)) {
        return Motivo_Abertura(resolvido.caminho);
    }
    // The port thread's own descriptor: the device's last close is then the thread's, and
    // whatever the driver does there never holds this thread.
    std::string motivo;
    const std::optional<Descritor_Linha> copia = Copiar_Descritor(e.porta.handle(), motivo);
    if (!copia) {
        e.porta.close();
        return QString::fromStdString(motivo);
    }
    e.recebidos.clear();
    Iniciar_Sessao(*copia, resolvido.caminho);
    return std::nullopt;
}

QString Porta_Serial_Qt::Motivo_Abertura(const QString& dispositivo) {
    Estado& e = *estado_;
    const QSerialPort::SerialPortError codigo = e.porta.error();
    const QString motivo_qt = e.Tomar_Motivo_Erro_Qt();
    if (codigo == QSerialPort::DeviceNotFoundError) {
        return QStringLiteral("o dispositivo %1 não existe").arg(dispositivo);
    }
    if (codigo == QSerialPort::PermissionError) {
        // Qt does not tell a lock, a holder and missing rights apart.
        const Juizo_Porta juizo =
            Julgar_Dispositivo(Descoberta_Portas{}, dispositivo.toStdU16String());
        if (!juizo.motivo.empty()) {
            return QStringLiteral("%1 (%2)").arg(QString::fromStdString(juizo.motivo), dispositivo);
        }
    }
    return QStringLiteral("%1 (%2)").arg(motivo_qt, dispositivo);
}

bool Porta_Serial_Qt::Handshaking(int modo) {
    Estado& e = *estado_;
    const std::optional<QSerialPort::FlowControl> fluxo = Fluxo_Qt(modo);
    if (!fluxo) {
        return e.Recusar(QStringLiteral("Controle de fluxo não suportado: %1").arg(modo));
    }
    // The opening applied it already; asking the driver again could only wait on it.
    const QSerialPort::FlowControl anterior = std::exchange(e.fluxo, *fluxo);
    if (e.porta.isOpen() && e.fluxo != anterior && !e.porta.setFlowControl(e.fluxo)) {
        e.porta.clearError();
        return e.Recusar(
            QStringLiteral("A porta %1 recusou o controle de fluxo %2").arg(e.Nome()).arg(modo));
    }
    return true;
}

std::string Porta_Serial_Qt::Erro() const {
    return Para_1252(estado_->erro);
}

// A port reopened but not yet confirmed counts as closed: nothing is sent to it yet.
bool Porta_Serial_Qt::PortOpen() const {
    const Estado& e = *estado_;
    return e.porta.isOpen() && !e.reabertura.confirmando;
}

int Porta_Serial_Qt::InBufferCount() const {
    const Estado& e = *estado_;
    const qint64 no_qt = e.porta.isOpen() ? e.porta.bytesAvailable() : 0;
    return static_cast<int>(e.recebidos.size() + static_cast<std::size_t>(no_qt));
}

void Porta_Serial_Qt::Descartar_Entrada() {
    Estado& e = *estado_;
    e.recebidos.clear();
    if (e.porta.isOpen()) {
        e.porta.clear(QSerialPort::Input);
        e.porta.readAll();
    }
}

int Porta_Serial_Qt::OutBufferCount() const {
    const Estado& e = *estado_;
    return PortOpen() ? e.trabalhador->Saida_Pendente() : 0;
}

std::string Porta_Serial_Qt::Input() {
    Estado& e = *estado_;
    if (e.porta.isOpen()) {
        e.Puxar_Recebidos();
    }
    const std::size_t n = e.input_len == 0
                              ? e.recebidos.size()
                              : std::min(e.recebidos.size(), static_cast<std::size_t>(e.input_len));
    std::string lidos = e.recebidos.substr(0, n);
    e.recebidos.erase(0, n);
    return lidos;
}

void Porta_Serial_Qt::Output(std::string_view bytes) {
    if (PortOpen()) {
        estado_->trabalhador->Escrever(std::string(bytes));
    }
}

bool Porta_Serial_Qt::CTSHolding() const {
    const Estado& e = *estado_;
    return PortOpen() && e.amostra && (!e.amostra->linhas || e.amostra->linhas->cts);
}

bool Porta_Serial_Qt::DSRHolding() const {
    const Estado& e = *estado_;
    return PortOpen() && e.amostra && (!e.amostra->linhas || e.amostra->linhas->dsr);
}

// Qt raises readyRead again only once the handler of the last one has returned, so a handler
// that yields and opens a modal screen would see nothing more until the screen closes. The
// bytes are taken here and the event goes out from the event loop, outside Qt's handler:
// bytes that come meanwhile raise a nested event, as the line control does.
void Porta_Serial_Qt::Ao_Receber() {
    Estado& e = *estado_;
    e.Puxar_Recebidos();
    if (!e.aviso_recepcao_pendente) {
        e.aviso_recepcao_pendente = true;
        QMetaObject::invokeMethod(this, &Porta_Serial_Qt::Avisar_Recepcao, Qt::QueuedConnection);
    }
}

void Porta_Serial_Qt::Avisar_Recepcao() {
    Estado& e = *estado_;
    e.aviso_recepcao_pendente = false;
    if (PortOpen() && e.rthreshold > 0 && InBufferCount() >= e.rthreshold) {
        Disparar_OnComm(evento::Recepcao);
    }
}

}  // namespace qx7
