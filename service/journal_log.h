#pragma once
// The communication log on standard output, one line each, with the journal's priority prefix:
// <6> information, <4> failures and lost ports. Under systemd every line lands in the journal
// (journalctl -u) with its priority; in a terminal the prefix shows what it is.

#include <QString>
#include <cstdio>
#include <string_view>

namespace qx7 {

enum class Prioridade { Erro = 3, Aviso = 4, Informacao = 6 };

class Diario {
  public:
    explicit Diario(std::FILE* saida = stdout) : saida_(saida) {}

    // A line of the log as stored (Windows-1252, control characters included).
    void Linha(std::string_view linha, Prioridade prioridade);
    // A line of the service's own, in Portuguese.
    void Texto(const QString& texto, Prioridade prioridade);

  private:
    std::FILE* saida_;
};

}  // namespace qx7
