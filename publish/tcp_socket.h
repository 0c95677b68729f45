#pragma once
// The calls on libmosquitto's socket that it does not make itself: the wait for a connection
// in progress and how it ended. The system's sockets API is in tcp_socket_posix.cpp on Unix
// and in tcp_socket_windows.cpp on Windows; errors come back as errno codes on both.

namespace qx7 {

// 1 once the socket is writable (the connection's outcome is known), 0 when `ms` passed,
// -1 with the error in `erro`.
int Esperar_Conexao_Tcp(int soquete, int ms, int& erro);

// The socket's pending error, 0 when none.
int Erro_Do_Soquete(int soquete);

// Whether the socket has a peer: a connection that failed leaves none, even without an error.
bool Conectado_Ao_Par(int soquete);

// The errno code for an error a socket call left in errno: on Windows Winsock's own, which
// libmosquitto copies there; others unchanged.
int Como_Errno(int codigo);

}  // namespace qx7
