#include "tests/support/pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace qx7::teste {

Pseudo_Terminal::Pseudo_Terminal() {
    char nome[256] = {};
    if (openpty(&mestre_, &escravo_, nome, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    caminho_ = nome;
    termios modo{};
    tcgetattr(escravo_, &modo);
    cfmakeraw(&modo);
    tcsetattr(escravo_, TCSANOW, &modo);
    fcntl(mestre_, F_SETFL, fcntl(mestre_, F_GETFL) | O_NONBLOCK);
}

Pseudo_Terminal::~Pseudo_Terminal() {
    close(escravo_);
    close(mestre_);
}

void Pseudo_Terminal::Escrever(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(mestre_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else {
            pollfd p{mestre_, POLLOUT, 0};
            poll(&p, 1, 100);
        }
    }
}

std::string Pseudo_Terminal::Ler(std::chrono::milliseconds espera, std::size_t minimo) {
    std::string recebido;
    const auto limite = std::chrono::steady_clock::now() + espera;
    // At least one look at the line, even with no time to wait.
    for (;;) {
        const auto resta =
            std::chrono::ceil<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
        pollfd p{mestre_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(std::max<std::int64_t>(0, resta.count()))) > 0) {
            char buffer[4096];
            const ssize_t n = read(mestre_, buffer, sizeof buffer);
            if (n > 0) {
                recebido.append(buffer, static_cast<std::size_t>(n));
            }
        }
        if (recebido.size() >= minimo || resta.count() <= 0) {
            break;
        }
    }
    return recebido;
}

}  // namespace qx7::teste
