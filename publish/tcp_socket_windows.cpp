#include "publish/tcp_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cerrno>

namespace qx7 {

namespace {

// Winsock's codes, as the errno codes the failures are told by.
int Como_Errno(int codigo) {
    switch (codigo) {
        case 0:
            return 0;
        case WSAECONNREFUSED:
            return ECONNREFUSED;
        case WSAETIMEDOUT:
            return ETIMEDOUT;
        case WSAEHOSTUNREACH:
            return EHOSTUNREACH;
        case WSAENETUNREACH:
            return ENETUNREACH;
        case WSAECONNRESET:
            return ECONNRESET;
        case WSAECONNABORTED:
            return ECONNABORTED;
        case WSAEINTR:
            return EINTR;
        default:
            return EIO;
    }
}

}  // namespace

int Esperar_Conexao_Tcp(int soquete, int ms, int& erro) {
    WSAPOLLFD espera{};
    espera.fd = static_cast<SOCKET>(soquete);
    espera.events = POLLOUT;
    const int pronto = ::WSAPoll(&espera, 1, ms);
    erro = pronto == SOCKET_ERROR ? Como_Errno(::WSAGetLastError()) : 0;
    return pronto == SOCKET_ERROR ? -1 : pronto;
}

int Erro_Do_Soquete(int soquete) {
    int erro = 0;
    int tamanho = sizeof erro;
    if (::getsockopt(static_cast<SOCKET>(soquete), SOL_SOCKET, SO_ERROR,
                     reinterpret_cast<char*>(&erro), &tamanho) != 0) {
        erro = ::WSAGetLastError();
    }
    return Como_Errno(erro);
}

bool Conectado_Ao_Par(int soquete) {
    sockaddr_storage par{};
    int tamanho = sizeof par;
    return ::getpeername(static_cast<SOCKET>(soquete), reinterpret_cast<sockaddr*>(&par),
                         &tamanho) == 0;
}

}  // namespace qx7
