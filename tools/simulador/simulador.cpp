// simulador-qx7: plays a QX7/QXV7 gauge on a pseudo-terminal or a real serial port.

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <iostream>

#include "tools/simulador/command_line.h"
#include "tools/simulador/gauge_engine.h"
#include "tools/simulador/serial_line.h"

namespace {

using namespace qx7::simulador;

volatile sig_atomic_t encerrar = 0;

void Pedir_Encerramento(int) {
    encerrar = 1;
}

class Linha_Descritor : public Linha {
  public:
    explicit Linha_Descritor(int fd) : fd_(fd) {}
    void Escrever(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = write(fd_, bytes.data(), bytes.size());
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            pollfd p{fd_, POLLOUT, 0};
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                std::cerr << "simulador-qx7: erro ao escrever na linha: " << std::strerror(errno)
                          << std::endl;
                return;
            }
            if (poll(&p, 1, 1000) == 0) {
                // Nobody reads the other end; keep serving rather than hang.
                std::cerr << "simulador-qx7: a linha não aceita dados; " << bytes.size()
                          << " bytes descartados" << std::endl;
                return;
            }
        }
    }

  private:
    int fd_;
};

class Relogio_Sistema : public Relogio {
  public:
    Instante Agora() const override {
        return std::chrono::duration_cast<Instante>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

void Instalar_Sinais(sigset_t& livres) {
    sigset_t bloqueados;
    sigemptyset(&bloqueados);
    for (const int sinal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&bloqueados, sinal);
        struct sigaction acao {};
        acao.sa_handler = Pedir_Encerramento;
        sigaction(sinal, &acao, nullptr);
    }
    // Delivered only inside ppoll, so a signal can never slip in before the wait.
    sigprocmask(SIG_BLOCK, &bloqueados, &livres);
}

// Everything waiting. A terminal in raw mode reads 0 bytes when nothing waits, so only an
// error, or a hang-up with nothing to read, means the line is gone.
std::string Ler_Disponivel(int fd, short eventos, bool& falhou) {
    std::string recebido;
    char buffer[4096];
    while (true) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            recebido.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        const bool erro = n < 0 && errno != EAGAIN && errno != EINTR;
        falhou = erro || (recebido.empty() && (eventos & (POLLHUP | POLLERR)));
        return recebido;
    }
}

// Settings typed while it runs (--entrada), one per line; each is told as applied or refused.
// Standard input closed, nothing more is read from it.
class Entrada_Definicoes {
  public:
    explicit Entrada_Definicoes(bool ativa) : fd_(ativa ? STDIN_FILENO : -1) {}
    int Fd() const { return fd_; }

    void Ler(Simulador& simulador) {
        char buffer[512];
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n <= 0) {
            fd_ = n < 0 && (errno == EAGAIN || errno == EINTR) ? fd_ : -1;
            return;
        }
        pendente_.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t fim; (fim = pendente_.find('\n')) != std::string::npos;) {
            Aplicar(simulador, pendente_.substr(0, fim));
            pendente_.erase(0, fim + 1);
        }
    }

  private:
    static void Aplicar(Simulador& simulador, std::string linha) {
        while (!linha.empty() && (linha.back() == '\r' || linha.back() == ' ')) {
            linha.pop_back();
        }
        std::string erro;
        if (linha.empty()) {
            return;
        }
        if (simulador.Definir(linha, erro)) {
            std::cout << "Definido: " << linha << std::endl;
        } else {
            std::cerr << "simulador-qx7: " << erro << std::endl;
        }
    }

    int fd_;
    std::string pendente_;
};

// Waits for bytes, a setting typed or the engine's next deadline, until a signal asks to stop.
int Servir(Simulador& simulador, const Relogio& relogio, int fd, Entrada_Definicoes& entrada) {
    sigset_t livres;
    Instalar_Sinais(livres);
    while (!encerrar) {
        timespec espera{};
        const auto prazo = simulador.Proximo_Prazo();
        if (prazo) {
            const auto resta = std::max(*prazo - relogio.Agora(), Instante(0));
            espera.tv_sec = static_cast<time_t>(resta.count() / 1'000'000);
            espera.tv_nsec = static_cast<long>(resta.count() % 1'000'000) * 1000;
        }
        pollfd p[] = {{fd, POLLIN, 0}, {entrada.Fd(), POLLIN, 0}};
        const int pronto = ppoll(p, entrada.Fd() < 0 ? 1 : 2, prazo ? &espera : nullptr, &livres);
        if (pronto < 0 && errno != EINTR) {
            std::cerr << "simulador-qx7: erro na espera: " << std::strerror(errno) << std::endl;
            return 1;
        }
        if (pronto > 0 && (p[0].revents & (POLLIN | POLLERR | POLLHUP))) {
            bool falhou = false;
            simulador.Receber(Ler_Disponivel(fd, p[0].revents, falhou));
            if (falhou) {
                std::cerr << "simulador-qx7: a linha foi fechada" << std::endl;
                return 1;
            }
        }
        if (pronto > 0 && entrada.Fd() >= 0 && (p[1].revents & (POLLIN | POLLERR | POLLHUP))) {
            entrada.Ler(simulador);
        }
        simulador.Avancar();
    }
    std::cout << "Simulador QX7 encerrado." << std::endl;
    return 0;
}

bool Abrir_Linha(const Opcoes& opcoes, Linha_Serial& linha, std::filesystem::path& link,
                 std::string& erro) {
    if (opcoes.dispositivo) {
        return Abrir_Dispositivo(*opcoes.dispositivo, linha, erro);
    }
    if (!Abrir_Pseudo_Terminal(linha, erro)) {
        return false;
    }
    if (!opcoes.diretorio && !opcoes.com) {
        return true;
    }
    const auto diretorio = opcoes.diretorio.value_or(Diretorio_Base_Programa());
    if (!Criar_Link_COM(diretorio, opcoes.com.value_or(1), linha.caminho, link, erro)) {
        Fechar(linha);
        return false;
    }
    return true;
}

void Anunciar(const Opcoes& opcoes, const Linha_Serial& linha, const std::filesystem::path& link) {
    std::cout << "Simulador QX7 pronto em " << linha.caminho;
    if (!link.empty()) {
        std::cout << " (" << link.filename().string() << " -> " << link.string() << ")";
    } else if (!opcoes.dispositivo) {
        std::cout << " (sem link COMn; --com N cria um em " << Diretorio_Base_Programa().string()
                  << ")";
    }
    if (!link.empty()) {
        const std::string com = link.filename().string();
        const auto configurada = Porta_Configurada(link.parent_path());
        if (configurada != com) {
            std::cout << "\nAviso: o Configuração.TXT de " << link.parent_path().string()
                      << (configurada ? " indica " + *configurada : std::string(" não existe"))
                      << "; escolha " << com << " em \"Configurar Programa\".";
        }
    }
    const auto& medidor = opcoes.config.medidor;
    std::cout << "\nMedidor: endereço " << medidor.endereco << ", versão " << medidor.versao << ", "
              << medidor.numero_tanques << " tanques, senha \"" << medidor.senha << "\""
              << "\nCtrl+C encerra." << std::endl;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::setlocale(LC_MESSAGES, "");  // system error texts in the operator's language
    Opcoes opcoes;
    std::string erro;
    if (!Ler_Opcoes(argc, argv, opcoes, erro)) {
        std::cerr << "simulador-qx7: " << erro << "\nUse --ajuda para ver as opções." << std::endl;
        return 2;
    }
    if (opcoes.ajuda) {
        std::cout << Texto_Ajuda();
        return 0;
    }
    Linha_Serial linha;
    std::filesystem::path link;
    if (!Abrir_Linha(opcoes, linha, link, erro)) {
        std::cerr << "simulador-qx7: " << erro << std::endl;
        return 1;
    }
    Anunciar(opcoes, linha, link);

    Linha_Descritor saida(linha.fd);
    Relogio_Sistema relogio;
    Simulador simulador(opcoes.config, saida, relogio);
    simulador.ao_informar = [](const std::string& texto) { std::cout << texto << std::endl; };
    Entrada_Definicoes entrada(opcoes.entrada);
    const int codigo = Servir(simulador, relogio, linha.fd, entrada);

    if (!link.empty()) {
        std::error_code ignorado;
        std::filesystem::remove(link, ignorado);
    }
    Fechar(linha);
    return codigo;
}
