#pragma once
// The whole program built as main() builds it, over a temporary base directory whose COM1 is
// the simulator's pseudo-terminal, and the operator's means: buttons and boxes found by object
// name, the modal screens answered through a script, the communication log read from the
// panel's list.

#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "tests/e2e/modal_script.h"
#include "tests/e2e/reporting_simulator.h"

class QWidget;

namespace qx7::e2e {

inline constexpr int Espera_Resposta_ms = 5000;
// How long an answer that must not come is waited for; the simulator answers at once.
inline constexpr int Espera_Negativa_ms = 1000;
inline const QString Senha_Do_Medidor = QStringLiteral("qx7");

// A base directory of its own, configured for COM1.
struct Diretorio_Base_Teste {
    Diretorio_Base_Teste();
    void Gravar_Configuracao(const std::string& conteudo) const;

    QTemporaryDir diretorio;
    std::filesystem::path base;  // with its trailing separator, as the program spells it
};

class Sessao {
  public:
    // Starts the simulator (with `opcoes`) on COM1, then the program with its own services.
    explicit Sessao(QStringList opcoes = {});

    bool Iniciada() const { return iniciada_; }
    Processo_Simulador& Simulador() { return *simulador_; }
    // A new simulator linked as COM1 in place of the old one (which should have ended), as an
    // adapter plugged back in; true once it is ready.
    bool Trocar_Simulador(QStringList opcoes = {});
    const std::filesystem::path& Base() const { return base_.base; }
    Programa& Prog() { return *programa_; }
    QWidget& Painel();
    Roteiro_Modal& Operador() { return operador_; }

    template <typename T>
    T* Achar(const char* nome_utf8) {
        return Painel().findChild<T*>(QString::fromUtf8(nome_utf8));
    }
    // Clicks an enabled panel button; a missing or disabled one is a failure.
    void Clicar(const char* botao_utf8);
    QString Texto(const char* controle_utf8);
    void Escrever(const char* caixa_utf8, const QString& texto);
    bool Habilitado(const char* controle_utf8);

    // Abrir_Conexão with the password typed on the password screen; true once the command
    // frames are unlocked within `espera_ms`.
    bool Conectar(const QString& senha = Senha_Do_Medidor, int espera_ms = Espera_Resposta_ms);

    // The log's lines as stored (Windows-1252).
    std::vector<std::string> Log();
    int Linhas_Iguais(const char* linha_utf8);
    // Lines of the log from `desde` on, as units on the wire: "TX ID01", "RX ACK", "TX NAK",
    // "RX IDA0121" (framed units shown by their payload).
    QStringList Fio(int desde = 0);

  private:
    Diretorio_Base_Teste base_;
    std::unique_ptr<Processo_Simulador> simulador_;
    Roteiro_Modal operador_;
    std::unique_ptr<Programa> programa_;
    bool iniciada_ = false;
};

// The program's log as readable text, one line each, for failure messages.
std::string Texto_Do_Log(Programa& programa);

// Waits for the log to hold `linha_utf8` at least `vezes` times.
bool Esperar_Linha(Sessao& sessao, const char* linha_utf8, int vezes, int ms);

}  // namespace qx7::e2e
