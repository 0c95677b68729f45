#include "station/serial_port_qt.h"

#include <QSerialPort>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <optional>

#include "link/line_changes.h"
#include "link/output_drain.h"
#include "link/serial_settings.h"
#include "station/base_dir.h"
#include "station/serial_line_posix.h"
#include "station/serial_port_qt_settings.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

constexpr int Intervalo_Sondagem_ms = 50;
constexpr int Intervalo_Reabertura_ms = 1000;
constexpr int Maior_Porta = 255;

}  // namespace

struct Porta_Serial_Qt::Estado {
    std::filesystem::path base;
    QSerialPort porta;
    QTimer sondagem;
    QTimer reabertura;
    bool aviso_recepcao_pendente = false;
    int numero = 1;
    Parametros_Serial parametros;
    int input_len = 0;
    int rthreshold = 0;
    bool dtr = false;
    bool rts = false;
    QSerialPort::FlowControl fluxo = QSerialPort::NoFlowControl;
    std::string recebidos;
    QString erro;
    // A pseudo-terminal has no modem lines and no error counters.
    std::optional<Linhas_Modem> linhas;
    std::optional<Contadores_Erro> contadores;

    QString Nome() const { return QStringLiteral("COM%1").arg(numero); }

    int Descritor() const { return static_cast<int>(porta.handle()); }

    bool Recusar(const QString& motivo) {
        erro = motivo;
        return false;
    }

    void Puxar_Recebidos() {
        const QByteArray novos = porta.readAll();
        recebidos.append(novos.constData(), static_cast<std::size_t>(novos.size()));
    }

    bool Linhas_Controle_Livres() const { return porta.isOpen() && linhas.has_value(); }

    // Takes the error just reported and clears it, in Portuguese.
    QString Tomar_Motivo_Erro_Qt() {
        const QString motivo = Motivo_Erro_Qt(porta.error(), errno);
        porta.clearError();
        return motivo;
    }

    // What has not reached the line yet: Qt's buffer, the kernel's queue, the UART.
    qint64 Saida_Pendente() {
        if (!porta.isOpen()) {
            return 0;
        }
        porta.flush();
        return porta.bytesToWrite() + Fila_Saida_Kernel(Descritor()) +
               (Transmissor_Vazio(Descritor()) ? 0 : 1);
    }
};

Porta_Serial_Qt::Porta_Serial_Qt(std::filesystem::path diretorio_base, QObject* parent)
    : QObject(parent), estado_(std::make_unique<Estado>()) {
    estado_->base = std::move(diretorio_base);
    estado_->sondagem.setInterval(Intervalo_Sondagem_ms);
    estado_->reabertura.setInterval(Intervalo_Reabertura_ms);
    connect(&estado_->porta, &QSerialPort::readyRead, this, &Porta_Serial_Qt::Ao_Receber);
    connect(&estado_->porta, &QSerialPort::errorOccurred, this, &Porta_Serial_Qt::Ao_Erro);
    connect(&estado_->sondagem, &QTimer::timeout, this, &Porta_Serial_Qt::Sondar_Linhas);
    connect(&estado_->reabertura, &QTimer::timeout, this, &Porta_Serial_Qt::Tentar_Reabrir);
}

Porta_Serial_Qt::~Porta_Serial_Qt() = default;

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
    if (!Aplicar(e.porta, e.parametros)) {
        const QString motivo = e.Tomar_Motivo_Erro_Qt();
        return e.Recusar(QStringLiteral("A porta %1 recusou a configuração \"%2\": %3")
                             .arg(e.Nome(), De_1252(texto), motivo));
    }
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
    if (e.Linhas_Controle_Livres() && !e.porta.setDataTerminalReady(ligado)) {
        e.porta.clearError();
        return e.Recusar(QStringLiteral("A porta %1 recusou a linha DTR").arg(e.Nome()));
    }
    return true;
}

bool Porta_Serial_Qt::RTSEnable(bool ligado) {
    Estado& e = *estado_;
    e.rts = ligado;
    if (!e.Linhas_Controle_Livres() || e.fluxo == QSerialPort::HardwareControl) {
        return true;
    }
    if (!ligado) {
        // An RS-485 adapter turns its driver around on RTS: the last byte must be out first,
        // but a wedged adapter must not hold the window longer than the line would need.
        const qint64 pendentes = e.Saida_Pendente();
        Esperar_Escoamento([&e] { return e.Saida_Pendente(); },
                           Limite_Escoamento(pendentes, e.parametros));
    }
    if (!e.porta.setRequestToSend(ligado)) {
        e.porta.clearError();
        return e.Recusar(QStringLiteral("A porta %1 recusou a linha RTS").arg(e.Nome()));
    }
    return true;
}

bool Porta_Serial_Qt::PortOpen(bool abrir) {
    Estado& e = *estado_;
    if (!abrir) {
        e.reabertura.stop();
        Fechar();
        return true;
    }
    if (e.porta.isOpen()) {
        return e.Recusar(QStringLiteral("A porta %1 já está aberta").arg(e.Nome()));
    }
    const Dispositivo_COM resolvido = Resolver_COM(e.base, e.numero);
    const QString& dispositivo = resolvido.caminho;
    if (resolvido.situacao != Dispositivo_COM::Situacao::Pronto) {
        return e.Recusar(
            QStringLiteral("A porta %1 não pode ser aberta: %2").arg(e.Nome(), resolvido.motivo));
    }
    e.porta.setPortName(dispositivo);
    Aplicar(e.porta, e.parametros);
    e.porta.setFlowControl(e.fluxo);
    if (!e.porta.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError codigo = e.porta.error();
        const QString motivo = e.Tomar_Motivo_Erro_Qt();
        if (codigo == QSerialPort::DeviceNotFoundError) {
            return e.Recusar(
                QStringLiteral("A porta %1 não existe (%2)").arg(e.Nome(), dispositivo));
        }
        if (codigo == QSerialPort::PermissionError) {
            return e.Recusar(
                QStringLiteral("A porta %1 está em uso ou sem permissão de acesso (%2)")
                    .arg(e.Nome(), dispositivo));
        }
        return e.Recusar(QStringLiteral("Não foi possível abrir a porta %1 (%2): %3")
                             .arg(e.Nome(), dispositivo, motivo));
    }
    e.reabertura.stop();
    e.recebidos.clear();
    e.linhas = Ler_Linhas(e.Descritor());
    e.contadores = Ler_Contadores(e.Descritor());
    DTREnable(e.dtr);
    RTSEnable(e.rts);
    if (e.linhas || e.contadores) {
        e.sondagem.start();
    }
    return true;
}

bool Porta_Serial_Qt::Handshaking(int modo) {
    Estado& e = *estado_;
    const std::optional<QSerialPort::FlowControl> fluxo = Fluxo_Qt(modo);
    if (!fluxo) {
        return e.Recusar(QStringLiteral("Controle de fluxo não suportado: %1").arg(modo));
    }
    e.fluxo = *fluxo;
    if (e.porta.isOpen() && !e.porta.setFlowControl(e.fluxo)) {
        e.porta.clearError();
        return e.Recusar(
            QStringLiteral("A porta %1 recusou o controle de fluxo %2").arg(e.Nome()).arg(modo));
    }
    return true;
}

std::string Porta_Serial_Qt::Erro() const {
    return Para_1252(estado_->erro);
}

bool Porta_Serial_Qt::PortOpen() const {
    return estado_->porta.isOpen();
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
    if (!e.porta.isOpen()) {
        return 0;
    }
    return static_cast<int>(e.porta.bytesToWrite()) + Fila_Saida_Kernel(e.Descritor());
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
    Estado& e = *estado_;
    if (!e.porta.isOpen() || bytes.empty()) {
        return;
    }
    e.porta.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hands what fits to the driver now; the rest goes out from the event loop.
    e.porta.flush();
}

bool Porta_Serial_Qt::CTSHolding() const {
    const Estado& e = *estado_;
    return e.porta.isOpen() && (!e.linhas || e.linhas->cts);
}

bool Porta_Serial_Qt::DSRHolding() const {
    const Estado& e = *estado_;
    return e.porta.isOpen() && (!e.linhas || e.linhas->dsr);
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
    if (e.rthreshold > 0 && InBufferCount() >= e.rthreshold) {
        Disparar_OnComm(evento::Recepcao);
    }
}

void Porta_Serial_Qt::Aguardar_Dispositivo() {
    estado_->reabertura.start();
}

void Porta_Serial_Qt::Ao_Erro(int erro) {
    Estado& e = *estado_;
    const bool perdida = erro == QSerialPort::ResourceError ||
                         (erro == QSerialPort::ReadError && Dispositivo_Ausente(e.Descritor()));
    if (!perdida) {
        return;
    }
    Reiniciar(Motivo_Erro_Qt(static_cast<QSerialPort::SerialPortError>(erro), errno));
}

void Porta_Serial_Qt::Reiniciar(const QString& motivo) {
    Estado& e = *estado_;
    if (!e.porta.isOpen()) {
        return;
    }
    const QString linha = QStringLiteral(
                              "A porta serial %1 (%2) deixou de responder e foi fechada: %3; "
                              "nova tentativa de abertura a cada segundo")
                              .arg(e.Nome(), e.porta.portName(), motivo);
    Fechar();
    e.erro = linha;
    e.reabertura.start();
    emit Falha(linha);
}

void Porta_Serial_Qt::Tentar_Reabrir() {
    if (!PortOpen(true)) {
        return;  // Erro() tells why; the timer tries again
    }
    Descartar_Entrada();
    emit Reaberta(QStringLiteral("Porta serial %1 reaberta").arg(estado_->Nome()));
}

void Porta_Serial_Qt::Sondar_Linhas() {
    Estado& e = *estado_;
    if (!e.porta.isOpen()) {
        return;
    }
    std::vector<int> eventos;
    if (e.contadores) {
        if (const std::optional<Contadores_Erro> agora = Ler_Contadores(e.Descritor())) {
            eventos = Eventos_Erros(*e.contadores, *agora);
            e.contadores = agora;
        }
    }
    if (e.linhas) {
        if (const std::optional<Linhas_Modem> agora = Ler_Linhas(e.Descritor())) {
            const std::vector<int> mudancas = Eventos_Linhas(*e.linhas, *agora);
            eventos.insert(eventos.end(), mudancas.begin(), mudancas.end());
            e.linhas = agora;
        }
    }
    // The state is already up to date, so a handler that yields and lets the next poll run
    // sees no change twice.
    for (const int codigo : eventos) {
        if (!e.porta.isOpen()) {
            return;
        }
        Disparar_OnComm(codigo);
    }
}

void Porta_Serial_Qt::Fechar() {
    Estado& e = *estado_;
    e.sondagem.stop();
    if (e.porta.isOpen()) {
        e.porta.close();
    }
    e.recebidos.clear();
    e.porta.clearError();
}

}  // namespace qx7
