#pragma once
// The operator at the modal screens: each step waits for a modal window, known by its object
// name or its class, to be the active one, then acts on it. The screens open inside the
// program's own event loops, so the steps run from a polling timer.

#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace qx7::e2e {

class Roteiro_Modal {
  public:
    using Acao = std::function<void(QWidget& janela)>;

    Roteiro_Modal();

    // Adds a step; `janela` is an object name ("Form3") or a class name ("QMessageBox").
    Roteiro_Modal& Quando(const QString& janela, Acao acao);

    // Every step has been taken and its action has returned.
    bool Concluido() const { return passos_.empty() && em_curso_ == 0; }
    // Every modal window that became active, in order, by object name or else class name.
    const QStringList& Vistas() const { return vistas_; }

  private:
    struct Passo {
        QString janela;
        Acao acao;
    };
    void Verificar();

    std::deque<Passo> passos_;
    QStringList vistas_;
    QWidget* ultima_ = nullptr;
    int em_curso_ = 0;
    QTimer sondagem_;
};

// Processes events until the condition holds or `ms` have passed; the condition's value.
bool Esperar(const std::function<bool()>& condicao, int ms);

// Processes events for `ms`, to see that nothing happens in that time.
void Observar(int ms);

// Actions of the screens' operator.
void Digitar(QWidget& janela, const char* campo_utf8, const QString& texto);
void Clicar(QWidget& janela, const char* botao_utf8);

}  // namespace qx7::e2e
