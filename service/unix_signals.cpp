#include "service/system_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace qx7 {

namespace {

int par_[2] = {-1, -1};  // [0] read by the loop, [1] written by the handler

void Ao_Sinal(int numero) {
    const auto byte = static_cast<unsigned char>(numero);
    // Only async-signal-safe calls here; a full socket drops the signal, the next one gets in.
    [[maybe_unused]] const ssize_t escritos = ::write(par_[1], &byte, 1);
}

bool Instalar(int numero) {
    struct sigaction acao {};
    acao.sa_handler = Ao_Sinal;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    return ::sigaction(numero, &acao, nullptr) == 0;
}

}  // namespace

Sinais_Sistema::Sinais_Sistema(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, par_) != 0) {
        return;
    }
    notificador_ = std::make_unique<QSocketNotifier>(par_[0], QSocketNotifier::Read);
    connect(notificador_.get(), &QSocketNotifier::activated, this, [this] {
        unsigned char numero = 0;
        while (::read(par_[0], &numero, 1) == 1) {
            if (numero == SIGHUP) {
                emit Recarregar();
            } else {
                emit Encerrar();
            }
        }
    });
    for (const int numero : {SIGTERM, SIGINT, SIGHUP}) {
        Instalar(numero);
    }
}

Sinais_Sistema::~Sinais_Sistema() {
    for (const int numero : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(numero, SIG_DFL);
    }
    notificador_.reset();
    for (int& lado : par_) {
        if (lado >= 0) {
            ::close(lado);
            lado = -1;
        }
    }
}

}  // namespace qx7
