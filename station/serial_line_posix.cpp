#include "station/serial_line_posix.h"

#include <sys/ioctl.h>
#include <termios.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

namespace qx7 {

std::optional<Linhas_Modem> Ler_Linhas(int descritor) {
    int bits = 0;
    if (::ioctl(descritor, TIOCMGET, &bits) != 0) {
        return std::nullopt;
    }
    return Linhas_Modem{(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_CAR) != 0,
                        (bits & TIOCM_RNG) != 0};
}

#ifdef __linux__
std::optional<Contadores_Erro> Ler_Contadores(int descritor) {
    serial_icounter_struct contagem{};
    if (::ioctl(descritor, TIOCGICOUNT, &contagem) != 0) {
        return std::nullopt;
    }
    return Contadores_Erro{contagem.brk, contagem.frame, contagem.overrun, contagem.parity};
}
#else
std::optional<Contadores_Erro> Ler_Contadores(int) {
    return std::nullopt;
}
#endif

int Fila_Saida_Kernel(int descritor) {
    int bytes = 0;
    if (::ioctl(descritor, TIOCOUTQ, &bytes) != 0) {
        return 0;
    }
    return bytes;
}

bool Transmissor_Vazio(int descritor) {
#ifdef TIOCSERGETLSR
    unsigned int lsr = 0;
    if (::ioctl(descritor, TIOCSERGETLSR, &lsr) == 0) {
        return (lsr & TIOCSER_TEMT) != 0;
    }
#endif
    static_cast<void>(descritor);
    return true;
}

bool Dispositivo_Ausente(int descritor) {
    termios modo{};
    return ::tcgetattr(descritor, &modo) != 0;
}

}  // namespace qx7
