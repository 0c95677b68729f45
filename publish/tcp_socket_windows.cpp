#include "publish/tcp_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cerrno>

namespace qx7 {

int Como_Errno(int codigo) {
    switch (codigo) {
        case WSAECONNREFUSED:
            return ECONNREFUSED;
        case WSAETIMEDOUT:
            return ETIMEDOUT;
        case WSAEHOSTUNREACH:
            return EHOSTUNREACH;
        case WSAENETUNREACH:
        case WSAENETDOWN:
            return ENETUNREACH;
        case WSAECONNRESET:
            return ECONNRESET;
        case WSAECONNABORTED:
            return ECONNABORTED;
        case WSAEADDRNOTAVAIL:
            return EADDRNOTAVAIL;
        case WSAEWOULDBLOCK:
            return EWOULDBLOCK;
        case WSAEINPROGRESS:
            return EINPROGRESS;
        case WSAEINTR:
            return EINTR;
        default:
            return codigo < WSABASEERR ? codigo : EIO;
    }
}

// select(), not WSAPoll: before Windows 10 2004 WSAPoll never reports a connection that
// failed, and select() puts one in the exception set.
int Esperar_Conexao_Tcp(int soquete, int ms, int& erro) {
    const auto s = static_cast<SOCKET>(soquete);
    fd_set escrita;
    fd_set excecao;
    FD_ZERO(&escrita);
    FD_ZERO(&excecao);
    FD_SET(s, &escrita);
    FD_SET(s, &excecao);
    timeval prazo{.tv_sec = ms / 1000, .tv_usec = (ms % 1000) * 1000};
    const int pronto = ::select(0, nullptr, &escrita, &excecao, &prazo);
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
