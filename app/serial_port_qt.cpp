#include "app/serial_port_qt.h"

#include <QSerialPort>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <thread>

#include "app/base_dir.h"
#include "gauge/numeric_text.h"
#include "link/system_error.h"
#include "widgets/codepage.h"

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif
#ifdef __linux__
#include <linux/serial.h>
#endif

namespace qx7 {

namespace {

constexpr int Intervalo_Sondagem_ms = 50;
constexpr int Intervalo_Reabertura_ms = 1000;
constexpr int Maior_Porta = 255;
constexpr qint64 Fila_Uart = 16;  // bytes a UART may still hold once the kernel's queue is empty
constexpr std::chrono::milliseconds Margem_Escoamento{20};

// Qt's own texts are English; the operator reads Portuguese.
QString Motivo(QSerialPort::SerialPortError codigo, int erro_sistema) {
    switch (codigo) {
        case QSerialPort::DeviceNotFoundError:
            return QStringLiteral("o dispositivo não existe");
        case QSerialPort::PermissionError:
            return QStringLiteral("acesso negado: sem permissão ou em uso por outro programa");
        case QSerialPort::OpenError:
            return QStringLiteral("a porta já está aberta");
        case QSerialPort::NotOpenError:
            return QStringLiteral("a porta não está aberta");
        case QSerialPort::UnsupportedOperationError:
            return QStringLiteral("operação não suportada pelo dispositivo");
        case QSerialPort::TimeoutError:
            return QStringLiteral("tempo de espera esgotado");
        case QSerialPort::ResourceError:
            return QStringLiteral("o dispositivo foi removido ou deixou de responder");
        default:
            return erro_sistema != 0 ? QString::fromStdString(Descricao_Erro_Sistema(erro_sistema))
                                     : QStringLiteral("erro desconhecido da porta serial");
    }
}

std::vector<std::string_view> Campos(std::string_view texto) {
    std::vector<std::string_view> campos;
    for (;;) {
        const std::size_t virgula = texto.find(',');
        campos.push_back(texto.substr(0, virgula));
        if (virgula == std::string_view::npos) {
            return campos;
        }
        texto.remove_prefix(virgula + 1);
    }
}

bool So_Digitos(std::string_view campo) {
    return !campo.empty() &&
           std::all_of(campo.begin(), campo.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> Inteiro(std::string_view campo) {
    int valor = 0;
    if (!So_Digitos(campo) || !Inteiro_Par(Valor_Numerico(campo), valor)) {
        return std::nullopt;
    }
    return valor;
}

std::optional<Parametros_Serial::Parada> Parada(std::string_view campo) {
    if (campo == "1") {
        return Parametros_Serial::Parada::Um;
    }
    if (campo == "1.5") {
        return Parametros_Serial::Parada::Um_E_Meio;
    }
    if (campo == "2") {
        return Parametros_Serial::Parada::Dois;
    }
    return std::nullopt;
}

QSerialPort::Parity Paridade_Qt(char letra) {
    switch (letra) {
        case 'E':
            return QSerialPort::EvenParity;
        case 'O':
            return QSerialPort::OddParity;
        case 'M':
            return QSerialPort::MarkParity;
        case 'S':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits Parada_Qt(Parametros_Serial::Parada parada) {
    switch (parada) {
        case Parametros_Serial::Parada::Um_E_Meio:
            return QSerialPort::OneAndHalfStop;
        case Parametros_Serial::Parada::Dois:
            return QSerialPort::TwoStop;
        default:
            return QSerialPort::OneStop;
    }
}

bool Aplicar(QSerialPort& porta, const Parametros_Serial& p) {
    // Every step is tried, so a refused value leaves the others in place.
    bool ok = porta.setBaudRate(p.baud);
    ok = porta.setParity(Paridade_Qt(p.paridade)) && ok;
    ok = porta.setDataBits(static_cast<QSerialPort::DataBits>(p.bits_dados)) && ok;
    ok = porta.setStopBits(Parada_Qt(p.bits_parada)) && ok;
    return ok;
}

std::optional<QSerialPort::FlowControl> Fluxo_Qt(int modo) {
    switch (modo) {
        case 0:
            return QSerialPort::NoFlowControl;
        case 1:
            return QSerialPort::SoftwareControl;
        case 2:
            return QSerialPort::HardwareControl;
        default:
            return std::nullopt;
    }
}

#ifdef Q_OS_UNIX
std::optional<Linhas_Modem> Ler_Linhas(QSerialPort& porta) {
    int bits = 0;
    if (::ioctl(static_cast<int>(porta.handle()), TIOCMGET, &bits) != 0) {
        return std::nullopt;
    }
    return Linhas_Modem{(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_CAR) != 0,
                        (bits & TIOCM_RNG) != 0};
}

int Fila_Saida_Kernel(const QSerialPort& porta) {
    int bytes = 0;
    if (::ioctl(static_cast<int>(porta.handle()), TIOCOUTQ, &bytes) != 0) {
        return 0;
    }
    return bytes;
}

// The UART's shift register, where the driver reports it (plain serial ports do; USB adapters
// count it in their output queue).
bool Transmissor_Vazio(const QSerialPort& porta) {
#ifdef TIOCSERGETLSR
    unsigned int lsr = 0;
    if (::ioctl(static_cast<int>(porta.handle()), TIOCSERGETLSR, &lsr) == 0) {
        return (lsr & TIOCSER_TEMT) != 0;
    }
#endif
    static_cast<void>(porta);
    return true;
}

// A tty that was hung up (its device removed) refuses every terminal request.
bool Dispositivo_Ausente(QSerialPort& porta) {
    termios modo{};
    return ::tcgetattr(static_cast<int>(porta.handle()), &modo) != 0;
}
#else
std::optional<Linhas_Modem> Ler_Linhas(QSerialPort& porta) {
    const QSerialPort::PinoutSignals bits = porta.pinoutSignals();
    if (porta.error() != QSerialPort::NoError) {
        porta.clearError();
        return std::nullopt;
    }
    return Linhas_Modem{bits.testFlag(QSerialPort::ClearToSendSignal),
                        bits.testFlag(QSerialPort::DataSetReadySignal),
                        bits.testFlag(QSerialPort::DataCarrierDetectSignal),
                        bits.testFlag(QSerialPort::RingIndicatorSignal)};
}

int Fila_Saida_Kernel(const QSerialPort&) {
    return 0;
}

bool Transmissor_Vazio(const QSerialPort&) {
    return true;
}

bool Dispositivo_Ausente(QSerialPort&) {
    return false;
}
#endif

#ifdef __linux__
std::optional<Contadores_Erro> Ler_Contadores(QSerialPort& porta) {
    serial_icounter_struct contagem{};
    if (::ioctl(static_cast<int>(porta.handle()), TIOCGICOUNT, &contagem) != 0) {
        return std::nullopt;
    }
    return Contadores_Erro{contagem.brk, contagem.frame, contagem.overrun, contagem.parity};
}
#else
std::optional<Contadores_Erro> Ler_Contadores(QSerialPort&) {
    return std::nullopt;
}
#endif

}  // namespace

std::optional<Parametros_Serial> Interpretar_Settings(std::string_view texto) {
    const std::vector<std::string_view> campos = Campos(texto);
    if (campos.size() != 4 || campos[1].size() != 1) {
        return std::nullopt;
    }
    const std::optional<int> baud = Inteiro(campos[0]);
    const std::optional<int> bits = Inteiro(campos[2]);
    const std::optional<Parametros_Serial::Parada> parada = Parada(campos[3]);
    const char letra = static_cast<char>(std::toupper(static_cast<unsigned char>(campos[1][0])));
    if (!baud || *baud <= 0 || !bits || *bits < 5 || *bits > 8 || !parada ||
        std::string_view("NEOMS").find(letra) == std::string_view::npos) {
        return std::nullopt;
    }
    return Parametros_Serial{*baud, letra, *bits, *parada};
}

std::vector<int> Eventos_Linhas(const Linhas_Modem& antes, const Linhas_Modem& agora) {
    std::vector<int> eventos;
    if (antes.cts != agora.cts) {
        eventos.push_back(evento::Mudou_CTS);
    }
    if (antes.dsr != agora.dsr) {
        eventos.push_back(evento::Mudou_DSR);
    }
    if (antes.cd != agora.cd) {
        eventos.push_back(evento::Mudou_CD);
    }
    if (antes.ri != agora.ri) {
        eventos.push_back(evento::Ring);
    }
    return eventos;
}

std::vector<int> Eventos_Erros(const Contadores_Erro& antes, const Contadores_Erro& agora) {
    std::vector<int> eventos;
    if (agora.brk != antes.brk) {
        eventos.push_back(evento::Break);
    }
    if (agora.framing != antes.framing) {
        eventos.push_back(evento::Erro_Framing);
    }
    if (agora.overrun != antes.overrun) {
        eventos.push_back(evento::Overrun);
    }
    if (agora.paridade != antes.paridade) {
        eventos.push_back(evento::Erro_Paridade);
    }
    return eventos;
}

std::chrono::milliseconds Limite_Escoamento(qint64 bytes, const Parametros_Serial& p) {
    // Start bit, data, parity and stop bits, in half bits so that 1.5 stop bits count exactly.
    const qint64 meios_bits = 2 * (1 + p.bits_dados + (p.paridade == 'N' ? 0 : 1)) +
                              (p.bits_parada == Parametros_Serial::Parada::Um          ? 2
                               : p.bits_parada == Parametros_Serial::Parada::Um_E_Meio ? 3
                                                                                       : 4);
    const qint64 meios_bits_total = (std::max<qint64>(bytes, 0) + Fila_Uart) * meios_bits;
    const qint64 divisor = 2 * static_cast<qint64>(std::max(p.baud, 1));
    const qint64 ms = (meios_bits_total * 1000 + divisor - 1) / divisor;
    return std::chrono::milliseconds(ms) + Margem_Escoamento;
}

bool Esperar_Escoamento(const std::function<qint64()>& pendentes,
                        std::chrono::milliseconds limite) {
    const auto fim = std::chrono::steady_clock::now() + limite;
    for (;;) {
        if (pendentes() <= 0) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= fim) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

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
    QString Tomar_Motivo() {
        const QString motivo = Motivo(porta.error(), errno);
        porta.clearError();
        return motivo;
    }

    // What has not reached the line yet: Qt's buffer, the kernel's queue, the UART.
    qint64 Saida_Pendente() {
        if (!porta.isOpen()) {
            return 0;
        }
        porta.flush();
        return porta.bytesToWrite() + Fila_Saida_Kernel(porta) + (Transmissor_Vazio(porta) ? 0 : 1);
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
        const QString motivo = e.Tomar_Motivo();
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
    const QString dispositivo = Dispositivo_COM(e.base, e.numero);
    e.porta.setPortName(dispositivo);
    Aplicar(e.porta, e.parametros);
    e.porta.setFlowControl(e.fluxo);
    if (!e.porta.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError codigo = e.porta.error();
        const QString motivo = e.Tomar_Motivo();
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
    e.linhas = Ler_Linhas(e.porta);
    e.contadores = Ler_Contadores(e.porta);
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
    return static_cast<int>(e.porta.bytesToWrite()) + Fila_Saida_Kernel(e.porta);
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

void Porta_Serial_Qt::Ao_Erro(int erro) {
    Estado& e = *estado_;
    const bool perdida = erro == QSerialPort::ResourceError ||
                         (erro == QSerialPort::ReadError && Dispositivo_Ausente(e.porta));
    if (!perdida || !e.porta.isOpen()) {
        return;
    }
    const QString motivo = Motivo(static_cast<QSerialPort::SerialPortError>(erro), errno);
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
        if (const std::optional<Contadores_Erro> agora = Ler_Contadores(e.porta)) {
            eventos = Eventos_Erros(*e.contadores, *agora);
            e.contadores = agora;
        }
    }
    if (e.linhas) {
        if (const std::optional<Linhas_Modem> agora = Ler_Linhas(e.porta)) {
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
