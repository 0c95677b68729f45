#pragma once
// The gauge simulator as a child process on a pseudo-terminal linked as COM1 in a fresh base
// directory, with the configuration file naming COM1; ended when the object goes.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qx7::bancada {

// A fresh directory under the system's temporary directory; removed with everything in it.
class Diretorio_Temporario {
  public:
    Diretorio_Temporario();
    ~Diretorio_Temporario();
    Diretorio_Temporario(const Diretorio_Temporario&) = delete;
    Diretorio_Temporario& operator=(const Diretorio_Temporario&) = delete;
    const std::filesystem::path& Caminho() const { return caminho_; }

  private:
    std::filesystem::path caminho_;
};

// Writes "COM1" as the configured port of the base directory.
void Configurar_COM1(const std::filesystem::path& base);

class Processo_Simulador {
  public:
    // Starts the simulator with `argumentos` after --diretorio and --com 1; its own output
    // goes to /dev/null. Returns once COM1 exists (throws after 5 s without it).
    Processo_Simulador(const std::filesystem::path& base,
                       const std::vector<std::string>& argumentos);
    ~Processo_Simulador();
    Processo_Simulador(const Processo_Simulador&) = delete;
    Processo_Simulador& operator=(const Processo_Simulador&) = delete;

  private:
    pid_t pid_ = -1;
};

}  // namespace qx7::bancada
