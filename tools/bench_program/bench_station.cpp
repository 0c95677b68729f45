#include "tools/bench_program/bench_station.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace qx7::bancada {

Diretorio_Temporario::Diretorio_Temporario() {
    std::string modelo = (std::filesystem::temp_directory_path() / "qx7-bench-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) {
        throw std::runtime_error("mkdtemp falhou");
    }
    caminho_ = modelo;
}

Diretorio_Temporario::~Diretorio_Temporario() {
    std::error_code erro;
    std::filesystem::remove_all(caminho_, erro);
}

void Configurar_COM1(const std::filesystem::path& base) {
    std::ofstream(base / std::filesystem::path(u8"Configuração.TXT")) << "COM1\r\n";
}

Processo_Simulador::Processo_Simulador(const std::filesystem::path& base,
                                       const std::vector<std::string>& argumentos) {
    std::vector<std::string> texto{QX7_SIMULADOR, "--diretorio", base.string(), "--com", "1"};
    texto.insert(texto.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (auto& a : texto) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        dup2(nulo, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    for (int i = 0; i < 500; ++i) {
        std::error_code erro;
        if (std::filesystem::exists(base / "COM1", erro)) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    throw std::runtime_error("o simulador não criou COM1");
}

Processo_Simulador::~Processo_Simulador() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

}  // namespace qx7::bancada
