#include "tools/simulador/serial_line.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

namespace qx7::simulador {

namespace {

namespace fs = std::filesystem;

// Raw 8-bit characters, no parity, one stop bit, no flow control, 9600 baud.
bool Modo_Bruto(int fd) {
    termios modo{};
    if (tcgetattr(fd, &modo) != 0) {
        return false;
    }
    cfmakeraw(&modo);
    modo.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE | CRTSCTS);
    modo.c_cflag |= CS8 | CLOCAL | CREAD;
    modo.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    modo.c_cc[VMIN] = 0;
    modo.c_cc[VTIME] = 0;
    cfsetispeed(&modo, B9600);
    cfsetospeed(&modo, B9600);
    return tcsetattr(fd, TCSANOW, &modo) == 0;
}

std::string Motivo(std::string_view inicio) {
    return std::string(inicio) + ": " + std::strerror(errno);
}

}  // namespace

bool Abrir_Pseudo_Terminal(Linha_Serial& linha, std::string& erro) {
    char nome[256] = {};
    if (openpty(&linha.fd, &linha.escravo, nome, nullptr, nullptr) != 0) {
        erro = Motivo("não foi possível criar o pseudo-terminal");
        return false;
    }
    linha.caminho = nome;
    if (!Modo_Bruto(linha.escravo) ||
        fcntl(linha.fd, F_SETFL, fcntl(linha.fd, F_GETFL) | O_NONBLOCK) != 0) {
        erro = Motivo("não foi possível configurar o pseudo-terminal");
        Fechar(linha);
        return false;
    }
    return true;
}

bool Abrir_Dispositivo(const std::string& caminho, Linha_Serial& linha, std::string& erro) {
    linha.fd = open(caminho.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (linha.fd < 0) {
        erro = errno == EBUSY ? "a porta " + caminho + " está ocupada por outro programa"
                              : Motivo("não foi possível abrir a porta " + caminho);
        return false;
    }
    linha.caminho = caminho;
    if (flock(linha.fd, LOCK_EX | LOCK_NB) != 0 || ioctl(linha.fd, TIOCEXCL) != 0) {
        erro = "a porta " + caminho + " está ocupada por outro programa";
        Fechar(linha);
        return false;
    }
    if (!Modo_Bruto(linha.fd)) {
        erro = Motivo("a porta " + caminho + " não aceita 9600,N,8,1");
        Fechar(linha);
        return false;
    }
    return true;
}

void Fechar(Linha_Serial& linha) {
    if (linha.escravo >= 0) {
        close(linha.escravo);
    }
    if (linha.fd >= 0) {
        close(linha.fd);
    }
    linha.fd = linha.escravo = -1;
}

fs::path Diretorio_Base_Programa() {
    if (const char* base = std::getenv("QX7_DIRETORIO_BASE"); base && *base) {
        return base;
    }
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the program does.
    const fs::path config =
        xdg && *xdg == '/' ? fs::path(xdg) : fs::path(home ? home : ".") / ".config";
    return config / "Comunicação QX7";
}

bool Criar_Link_COM(const fs::path& diretorio, int n, const std::string& alvo, fs::path& link,
                    std::string& erro) {
    std::error_code falha;
    link = diretorio / ("COM" + std::to_string(n));
    fs::create_directories(diretorio, falha);
    if (falha) {
        erro = "não foi possível criar o diretório " + diretorio.string() + ": " + falha.message();
        return false;
    }
    const auto estado = fs::symlink_status(link, falha);
    if (fs::exists(estado)) {
        const bool antigo = fs::is_symlink(estado) &&
                            fs::read_symlink(link, falha).string().starts_with("/dev/pts/");
        if (!antigo) {
            erro = link.string() + " já existe e não é um link de um simulador anterior";
            return false;
        }
        fs::remove(link, falha);
    }
    fs::create_symlink(alvo, link, falha);
    if (falha) {
        erro = "não foi possível criar o link " + link.string() + ": " + falha.message();
        return false;
    }
    return true;
}

std::optional<std::string> Porta_Configurada(const fs::path& diretorio) {
    std::ifstream arquivo(diretorio / "Configuração.TXT", std::ios::binary);
    std::string linha;
    if (!arquivo || !std::getline(arquivo, linha)) {
        return std::nullopt;
    }
    if (!linha.empty() && linha.back() == '\r') {
        linha.pop_back();
    }
    return linha;
}

}  // namespace qx7::simulador
