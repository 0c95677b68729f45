#pragma once
// The built gauge simulator as a separate process, its COMn link in a base directory, its
// report lines ("Pedido: ...", "Resposta: ...") collected as they come.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>
#include <filesystem>

namespace qx7::e2e {

class Processo_Simulador {
  public:
    // Starts the simulator with the sample gauge, linked as COM`com` in `base`, plus the
    // given options (fault flags), and waits until it says it is ready.
    Processo_Simulador(const std::filesystem::path& base, int com, QStringList opcoes = {});
    ~Processo_Simulador();
    Processo_Simulador(const Processo_Simulador&) = delete;
    Processo_Simulador& operator=(const Processo_Simulador&) = delete;

    bool Pronto() const { return pronto_; }
    // Everything the simulator has printed so far.
    const QString& Saida();
    // The requests it has read, in order ("ID01", "CFqx7", ...).
    QStringList Pedidos();
    // Ends it at once (the line goes away under the program).
    void Matar();
    // One setting applied while it runs ("tanque.1.medido=27000"; it must have been started
    // with --entrada); true once it says so.
    bool Definir(const QString& definicao);

  private:
    QProcess processo_;
    QString saida_;
    bool pronto_ = false;
};

}  // namespace qx7::e2e
