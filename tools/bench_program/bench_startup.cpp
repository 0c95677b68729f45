// Start-up to the first frame on the wire, on a pseudo-terminal linked as COM1:
//   - in the process: from constructing the main panel (Form1 + Form_Load + show) to the first
//     byte read on the master side, and to the whole first frame (ID02, 7 bytes);
//   - the whole program: from fork of build-perf/comunicacao-qx7 (offscreen) to the first byte.
//
//     QT_QPA_PLATFORM=offscreen ./build-perf/bench_startup [runs]

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/main_panel.h"
#include "app/startup_qt.h"
#include "link/frame.h"
#include "station/serial_port_qt.h"
#include "tests/support/pty.h"
#include "tools/bench_program/bench_station.h"
#include "tools/bench_program/counting_port.h"
#include "widgets/fonts.h"

namespace qx7::bancada {
namespace {

double Ms(Relogio::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Ligar_COM1(const std::filesystem::path& base, const teste::Pseudo_Terminal& pty) {
    Configurar_COM1(base);
    std::filesystem::create_symlink(pty.Caminho_Escravo(), base / "COM1");
}

// Form1 built, loaded and shown in this process.
void No_Processo(int n) {
    Diretorio_Temporario base;
    teste::Pseudo_Terminal pty;
    Ligar_COM1(base.Caminho(), pty);

    const auto inicio = Relogio::now();
    Estacao estacao({.diretorio_base = base.Caminho(), .porta = nullptr});
    Form1 painel(estacao, Servicos_Do_Programa(estacao.Variaveis()));
    if (!painel.Form_Load()) {
        std::fprintf(stderr, "o programa não abriu a porta\n");
        std::exit(1);
    }
    painel.show();
    const auto carregado = Relogio::now();
    std::string recebido;
    std::optional<Relogio::time_point> primeiro;
    while (recebido.size() < 7 && Relogio::now() - inicio < std::chrono::seconds(5)) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
        recebido += pty.Ler(std::chrono::milliseconds(2));  // polls for up to 1 ms
        if (!recebido.empty() && !primeiro) {
            primeiro = Relogio::now();
        }
    }
    const auto quadro = Relogio::now();
    std::printf(
        "processo  %d: Form1+Form_Load+show %6.1f ms, 1º byte %6.1f ms, "
        "quadro inteiro (%zu bytes) %6.1f ms%s\n",
        n, Ms(carregado - inicio), primeiro ? Ms(*primeiro - inicio) : -1.0, recebido.size(),
        Ms(quadro - inicio), recebido == Monta_Quadro("ID02") ? ", ID02" : ", não é o ID02");
}

// The whole program, from fork to the first byte on the line.
void Programa(int n) {
    Diretorio_Temporario base;
    teste::Pseudo_Terminal pty;
    Ligar_COM1(base.Caminho(), pty);
    const auto inicio = Relogio::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("QX7_DIRETORIO_BASE", base.Caminho().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(QX7_PROGRAMA, QX7_PROGRAMA, static_cast<char*>(nullptr));
        _exit(127);
    }
    const std::string recebido = pty.Ler(std::chrono::seconds(10), 1);
    const auto primeiro = Relogio::now();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    std::printf("programa  %d: fork -> 1º byte %6.1f ms%s\n", n, Ms(primeiro - inicio),
                recebido.empty() ? " (nada recebido)" : "");
}

}  // namespace
}  // namespace qx7::bancada

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    const int execucoes = argc > 1 ? std::atoi(argv[1]) : 5;
    for (int n = 1; n <= execucoes; ++n) {
        qx7::bancada::No_Processo(n);
    }
    for (int n = 1; n <= execucoes; ++n) {
        qx7::bancada::Programa(n);
    }
    return 0;
}
