// The built simulator over a real pseudo-terminal: found through its COMn link, it answers
// a framed request; bad input ends it with a message and a non-zero code. Waits are bounded.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "link/frame.h"
#include "tests/support/pty.h"

extern char** environ;

namespace qx7::simulador {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The program started with its output on one pipe (stdout and stderr together).
class Processo {
  public:
    explicit Processo(std::vector<std::string> argumentos) {
        argumentos.insert(argumentos.begin(), QX7_SIMULADOR_PROGRAMA);
        int tubo[2];
        EXPECT_EQ(pipe(tubo), 0);
        posix_spawn_file_actions_t acoes;
        posix_spawn_file_actions_init(&acoes);
        posix_spawn_file_actions_adddup2(&acoes, tubo[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&acoes, tubo[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&acoes, tubo[0]);
        std::vector<char*> argv;
        for (auto& a : argumentos) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &acoes, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&acoes);
        close(tubo[1]);
        saida_ = tubo[0];
    }
    ~Processo() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(saida_);
    }

    // Reads the output until `texto` shows up, or the output ends, or the time is up.
    bool Esperar_Saida(std::string_view texto, std::chrono::milliseconds espera) {
        const auto limite = std::chrono::steady_clock::now() + espera;
        while (texto.empty() || saida.find(texto) == std::string::npos) {
            const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(
                limite - std::chrono::steady_clock::now());
            pollfd p{saida_, POLLIN, 0};
            if (resta.count() <= 0 || poll(&p, 1, static_cast<int>(resta.count())) <= 0) {
                return false;
            }
            char buffer[512];
            const ssize_t n = read(saida_, buffer, sizeof buffer);
            if (n <= 0) {
                fim_da_saida_ = true;  // the program closed its output: it is ending
                return false;
            }
            saida.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    // The exit code once the program has ended within the wait; -1 otherwise.
    int Terminar(std::chrono::milliseconds espera) {
        Esperar_Saida("", espera);  // returns at the end of the output
        int estado = 0;
        if (!fim_da_saida_ || waitpid(pid_, &estado, 0) != pid_) {
            return -1;
        }
        pid_ = -1;
        return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    }

    pid_t Pid() const { return pid_; }
    std::string saida;

  private:
    pid_t pid_ = -1;
    int saida_ = -1;
    bool fim_da_saida_ = false;
};

int Abrir_Bruto(const fs::path& caminho) {
    const int fd = open(caminho.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
        termios modo{};
        tcgetattr(fd, &modo);
        cfmakeraw(&modo);
        tcsetattr(fd, TCSANOW, &modo);
    }
    return fd;
}

std::string Ler(int fd, std::size_t minimo, std::chrono::milliseconds espera) {
    std::string recebido;
    const auto limite = std::chrono::steady_clock::now() + espera;
    while (recebido.size() < minimo) {
        const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(
            limite - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (resta.count() <= 0 || poll(&p, 1, static_cast<int>(resta.count())) <= 0) {
            break;
        }
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            recebido.append(buffer, static_cast<std::size_t>(n));
        }
    }
    return recebido;
}

fs::path Diretorio_Temporario() {
    std::string modelo = fs::temp_directory_path() / "simulador-qx7-XXXXXX";
    EXPECT_NE(mkdtemp(modelo.data()), nullptr);
    return modelo;
}

TEST(SimuladorPrograma, RespondeIdentificacaoPeloLinkCom1) {
    const fs::path diretorio = Diretorio_Temporario();
    Processo simulador({"--diretorio", diretorio.string(), "--com", "1"});
    ASSERT_TRUE(simulador.Esperar_Saida("Ctrl+C encerra.", 5s)) << simulador.saida;
    EXPECT_NE(simulador.saida.find("Simulador QX7 pronto em /dev/pts/"), std::string::npos);
    EXPECT_NE(simulador.saida.find("senha \"qx7\""), std::string::npos);
    const fs::path link = diretorio / "COM1";
    ASSERT_TRUE(fs::is_symlink(link));

    const int porta = Abrir_Bruto(link);
    ASSERT_GE(porta, 0);
    const std::string pedido = Monta_Quadro("ID01");
    ASSERT_EQ(write(porta, pedido.data(), pedido.size()), static_cast<ssize_t>(pedido.size()));
    const std::string esperado = std::string(1, ACK) + Monta_Quadro("IDA0121");
    EXPECT_EQ(Ler(porta, esperado.size(), 3s), esperado);
    const char ack = ACK;
    ASSERT_EQ(write(porta, &ack, 1), 1);
    EXPECT_TRUE(simulador.Esperar_Saida("Resposta: IDA0121", 3s)) << simulador.saida;
    close(porta);

    kill(simulador.Pid(), SIGTERM);
    EXPECT_EQ(simulador.Terminar(3s), 0) << simulador.saida;
    EXPECT_NE(simulador.saida.find("Simulador QX7 encerrado."), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));  // the link goes with the simulator
    fs::remove_all(diretorio);
}

TEST(SimuladorPrograma, PortaOcupadaTerminaComMensagem) {
    teste::Pseudo_Terminal terminal;
    const int ocupante = open(terminal.Caminho_Escravo().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(ocupante, 0);
    ASSERT_EQ(flock(ocupante, LOCK_EX | LOCK_NB), 0);
    Processo simulador({"--dispositivo", terminal.Caminho_Escravo()});
    EXPECT_EQ(simulador.Terminar(5s), 1);
    EXPECT_NE(simulador.saida.find("está ocupada por outro programa"), std::string::npos)
        << simulador.saida;
    close(ocupante);
}

TEST(SimuladorPrograma, PortaLivreAbreEmModoBruto) {
    teste::Pseudo_Terminal terminal;
    Processo simulador({"--dispositivo", terminal.Caminho_Escravo(), "--tanques", "2"});
    ASSERT_TRUE(simulador.Esperar_Saida("Ctrl+C encerra.", 5s)) << simulador.saida;
    terminal.Escrever(Monta_Quadro("CFqx7"));
    const std::string esperado = std::string(1, ACK) + Monta_Quadro("CF020047111");
    EXPECT_EQ(terminal.Ler(3s, esperado.size()), esperado);
    kill(simulador.Pid(), SIGINT);
    EXPECT_EQ(simulador.Terminar(3s), 0) << simulador.saida;
}

struct Caso_Entrada {
    std::vector<std::string> argumentos;
    int codigo;
    const char* mensagem;
};

class SimuladorEntradaRuim : public ::testing::TestWithParam<Caso_Entrada> {};

TEST_P(SimuladorEntradaRuim, MensagemClaraECodigoNaoNulo) {
    Processo simulador(GetParam().argumentos);
    EXPECT_EQ(simulador.Terminar(5s), GetParam().codigo);
    EXPECT_NE(simulador.saida.find(GetParam().mensagem), std::string::npos) << simulador.saida;
}

INSTANTIATE_TEST_SUITE_P(
    Todos, SimuladorEntradaRuim,
    ::testing::Values(
        Caso_Entrada{{"--xyz"}, 2, "simulador-qx7: opção desconhecida: --xyz"},
        Caso_Entrada{{"--configuracao", "/nao/existe.txt"}, 2, "não foi possível ler o arquivo"},
        Caso_Entrada{{"--dispositivo", "/dev/nao-existe"}, 1, "não foi possível abrir a porta"},
        Caso_Entrada{{"--diretorio", "/proc/nao/pode"}, 1, "não foi possível criar o diretório"}));

TEST(SimuladorPrograma, NaoSobrescreveUmComQueNaoESeu) {
    const fs::path diretorio = Diretorio_Temporario();
    fs::create_symlink("/dev/ttyUSB0", diretorio / "COM2");
    Processo simulador({"--diretorio", diretorio.string(), "--com", "2"});
    EXPECT_EQ(simulador.Terminar(5s), 1);
    EXPECT_NE(simulador.saida.find("já existe"), std::string::npos) << simulador.saida;
    EXPECT_EQ(fs::read_symlink(diretorio / "COM2"), "/dev/ttyUSB0");
    fs::remove_all(diretorio);
}

}  // namespace
}  // namespace qx7::simulador
