#pragma once
// The port thread of one opening: every call that may block on the serial device (the modem
// lines and error counters, RTS and DTR, the wait for the output to leave the line) runs
// here, on the thread's own descriptor, in the order it was asked for. The window's thread
// queues work, and makes only the calls that never reach the device (a non-blocking write,
// the kernel's output count) and only while the thread is idle, so a hung adapter never holds
// it; a thread stuck in a call is left to finish on its own when the port closes.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/line_changes.h"
#include "link/serial_settings.h"
#include "station/line_device.h"

namespace qx7 {

class Trabalhador_Porta {
  public:
    // Nothing where the device has no such lines or counters (a pseudo-terminal).
    struct Amostra {
        std::optional<Linhas_Modem> linhas;
        std::optional<Contadores_Erro> contadores;
    };

    // Called on the port thread; none is called once Encerrar() has returned.
    struct Ouvintes {
        // Nothing when a call of the sample failed (the failure is counted).
        std::function<void(const std::optional<Amostra>&)> amostra;
        // The answer to Confirmar_Perda(): the device was unplugged.
        std::function<void(bool perdida)> confirmacao;
        // RS-485 mode was asked for and the driver refused it; RTS is switched by the program.
        std::function<void()> rs485_recusado;
    };

    struct Configuracao {
        Parametros_Serial parametros;
        bool rs485 = false;
        std::chrono::milliseconds limite_chamada{1000};
    };

    Trabalhador_Porta(std::unique_ptr<Linha_Serial> linha, const Configuracao& configuracao,
                      Ouvintes ouvintes);
    ~Trabalhador_Porta();  // Encerrar(); never waits for the thread
    Trabalhador_Porta(const Trabalhador_Porta&) = delete;
    Trabalhador_Porta& operator=(const Trabalhador_Porta&) = delete;

    // Written at once when the thread has nothing in hand, else queued behind what it has.
    void Escrever(std::string bytes);
    void Definir_DTR(bool ligado);
    // Raising is done at once; lowering only once the bytes written before can have left the
    // line. Left out in the kernel's RS-485 mode.
    void Definir_RTS(bool ligado);
    void Amostrar();
    void Confirmar_Perda();
    void Definir_Parametros(const Parametros_Serial& parametros);

    // What was queued to be written is dropped, waits end, the output is discarded and the
    // descriptor closed on the thread after the line changes already queued.
    void Encerrar();

    // Bytes not handed to the driver yet plus those in the kernel's output queue.
    int Saida_Pendente() const;
    // Calls that failed in a row since the last that answered, plus one for every limite_chamada
    // the call in progress has been running.
    int Falhas() const;

    struct Comum;

  private:
    std::shared_ptr<Comum> comum_;
};

}  // namespace qx7
