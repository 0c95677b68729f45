#pragma once
// The history writer: units queued by the program's thread are written on a thread of its own,
// so neither the line's acknowledgements nor the window ever wait for the disk. A file that
// cannot be used stops the history for the session with one report; a corrupt one is moved
// aside and a new file started.

#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "history/units.h"

namespace qx7 {

// What the operator is told, once: a line for the communication log and a message.
struct Aviso_Historico {
    QString linha_log;
    QString mensagem;
};

struct Opcoes_Gravador {
    QString arquivo;  // Historico.sqlite
    // Called on the writer's thread; the caller carries it over to its own.
    std::function<void(const Aviso_Historico&)> avisar;
    int limite_paginas = 0;  // SQLite's max_page_count, 0: none (tests fill the file with it)
};

class Gravador_Historico {
  public:
    explicit Gravador_Historico(Opcoes_Gravador opcoes);
    ~Gravador_Historico();  // Encerrar()
    Gravador_Historico(const Gravador_Historico&) = delete;
    Gravador_Historico& operator=(const Gravador_Historico&) = delete;

    // Any thread; takes the lock only to append.
    void Enfileirar(Unidade_Historico unidade);
    // Writes what is queued, then stops the thread. Nothing is queued after it.
    void Encerrar();

    // Why units are not being written; empty while they are.
    QString Motivo_Inativo() const;
    // The operator's records committed to the file, and those that were not.
    std::uint64_t Gravados() const;
    std::uint64_t Perdidos() const;

  private:
    struct Estado {
        std::deque<Unidade_Historico> fila;
        bool encerrar = false;
        QString motivo_inativo;
        std::uint64_t gravados = 0;
        std::uint64_t perdidos = 0;
    };

    void Executar();
    void Parar(const QString& motivo, std::size_t perdidos);

    Opcoes_Gravador opcoes_;
    mutable std::mutex mutex_;
    std::condition_variable acordar_;
    Estado estado_;
    std::thread thread_;
};

}  // namespace qx7
