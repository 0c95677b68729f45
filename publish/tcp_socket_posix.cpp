#include "publish/tcp_socket.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace qx7 {

int Esperar_Conexao_Tcp(int soquete, int ms, int& erro) {
    pollfd espera{.fd = soquete, .events = POLLOUT, .revents = 0};
    const int pronto = ::poll(&espera, 1, ms);
    erro = pronto < 0 ? errno : 0;
    return pronto < 0 ? -1 : pronto;
}

int Erro_Do_Soquete(int soquete) {
    int erro = 0;
    socklen_t tamanho = sizeof erro;
    return ::getsockopt(soquete, SOL_SOCKET, SO_ERROR, &erro, &tamanho) == 0 ? erro : errno;
}

bool Conectado_Ao_Par(int soquete) {
    sockaddr_storage par{};
    socklen_t tamanho = sizeof par;
    return ::getpeername(soquete, reinterpret_cast<sockaddr*>(&par), &tamanho) == 0;
}

int Como_Errno(int codigo) {
    return codigo;
}

}  // namespace qx7
