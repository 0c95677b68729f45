#include "station/serial_line_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#ifdef __linux__
#include <linux/serial.h>
#endif

#include "link/system_error.h"

namespace qx7 {

namespace {

// A driver without the request answers ENOTTY (or EINVAL for the counters); anything else
// (EIO after a hang-up, ETIMEDOUT from a USB adapter) means the device did not do it.
Resultado_Linha Resultado_Errno(int erro) {
    return erro == ENOTTY || erro == EINVAL || erro == EOPNOTSUPP ? Resultado_Linha::Nao_Suportado
                                                                  : Resultado_Linha::Falhou;
}

template <typename Argumento>
Resultado_Linha Pedir(int descritor, unsigned long pedido, Argumento* argumento) {
    int retorno = 0;
    do {
        retorno = ::ioctl(descritor, pedido, argumento);
    } while (retorno != 0 && errno == EINTR);
    return retorno == 0 ? Resultado_Linha::Feito : Resultado_Errno(errno);
}

}  // namespace

Linha_Posix::Linha_Posix(int descritor, std::filesystem::path dispositivo)
    : descritor_(descritor), dispositivo_(std::move(dispositivo)) {}

Linha_Posix::~Linha_Posix() {
    ::close(descritor_);
}

Leitura<Linhas_Modem> Linha_Posix::Ler_Linhas() {
    int bits = 0;
    const Resultado_Linha r = Pedir(descritor_, TIOCMGET, &bits);
    return {r, Linhas_Modem{(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0,
                            (bits & TIOCM_CAR) != 0, (bits & TIOCM_RNG) != 0}};
}

Leitura<Contadores_Erro> Linha_Posix::Ler_Contadores() {
#ifdef __linux__
    serial_icounter_struct contagem{};
    const Resultado_Linha r = Pedir(descritor_, TIOCGICOUNT, &contagem);
    return {r, Contadores_Erro{contagem.brk, contagem.frame, contagem.overrun, contagem.parity}};
#else
    return {Resultado_Linha::Nao_Suportado, {}};
#endif
}

Leitura<int> Linha_Posix::Fila_Saida() {
    int bytes = 0;
    const Resultado_Linha r = Pedir(descritor_, TIOCOUTQ, &bytes);
    return {r, bytes};
}

Leitura<bool> Linha_Posix::Transmissor_Vazio() {
#ifdef TIOCSERGETLSR
    unsigned int lsr = 0;
    const Resultado_Linha r = Pedir(descritor_, TIOCSERGETLSR, &lsr);
    return {r, (lsr & TIOCSER_TEMT) != 0};
#else
    return {Resultado_Linha::Nao_Suportado, true};
#endif
}

Resultado_Linha Linha_Posix::Definir(Sinal_Saida sinal, bool ligado) {
    int bits = sinal == Sinal_Saida::RTS ? TIOCM_RTS : TIOCM_DTR;
    return Pedir(descritor_, ligado ? TIOCMBIS : TIOCMBIC, &bits);
}

Leitura<std::size_t> Linha_Posix::Escrever(std::string_view bytes) {
    for (;;) {
        const ssize_t escritos = ::write(descritor_, bytes.data(), bytes.size());
        if (escritos >= 0) {
            return {Resultado_Linha::Feito, static_cast<std::size_t>(escritos)};
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return {Resultado_Linha::Feito, 0};
        }
        if (errno != EINTR) {
            return {Resultado_Linha::Falhou, 0};
        }
    }
}

void Linha_Posix::Esperar_Escrita(int ms) {
    pollfd espera{.fd = descritor_, .events = POLLOUT, .revents = 0};
    ::poll(&espera, 1, ms);
}

Resultado_Linha Linha_Posix::Descartar_Saida() {
    return ::tcflush(descritor_, TCOFLUSH) == 0 ? Resultado_Linha::Feito : Resultado_Errno(errno);
}

Resultado_Linha Linha_Posix::Ativar_RS485() {
#if defined(__linux__) && defined(TIOCSRS485)
    serial_rs485 modo{};
    modo.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    return Pedir(descritor_, TIOCSRS485, &modo);
#else
    return Resultado_Linha::Nao_Suportado;
#endif
}

Resultado_Linha Linha_Posix::Fechar_Sem_Esperar() {
#ifdef __linux__
    serial_struct serial{};
    if (const Resultado_Linha r = Pedir(descritor_, TIOCGSERIAL, &serial);
        r != Resultado_Linha::Feito) {
        return r;
    }
    serial.closing_wait = ASYNC_CLOSING_WAIT_NONE;
    const Resultado_Linha r = Pedir(descritor_, TIOCSSERIAL, &serial);
    // Changing the closing wait is reserved to root by most drivers.
    return r == Resultado_Linha::Falhou && errno == EPERM ? Resultado_Linha::Nao_Suportado : r;
#else
    return Resultado_Linha::Nao_Suportado;
#endif
}

bool Linha_Posix::Terminal_Vivo() {
    termios modo{};
    return ::tcgetattr(descritor_, &modo) == 0;
}

bool Linha_Posix::Dispositivo_Presente() {
    std::error_code erro;
    return std::filesystem::exists(dispositivo_, erro);
}

void Soltar_Descritor(int descritor) {
#ifdef TIOCNXCL
    ::ioctl(descritor, TIOCNXCL);
#endif
    const int nulo = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nulo >= 0) {
        ::dup2(nulo, descritor);
        ::close(nulo);
    }
}

std::optional<int> Copiar_Descritor(int descritor, std::string& motivo) {
    const int copia = ::fcntl(descritor, F_DUPFD_CLOEXEC, 0);
    if (copia < 0) {
        motivo = Descricao_Erro_Sistema(errno);
        return std::nullopt;
    }
    return copia;
}

std::unique_ptr<Linha_Serial> Criar_Linha_Sistema(int descritor,
                                                  const std::filesystem::path& dispositivo) {
    return std::make_unique<Linha_Posix>(descritor, dispositivo);
}

}  // namespace qx7
