#pragma once
// The history writer: units queued by the program's thread are written on a thread of its own,
// so neither the line's acknowledgements nor the window ever wait for the disk. A file that
// fails (locked, full, an I/O error) does not stop the history: the units wait, in order, in a
// bounded queue and are tried again, one second after the failure and twice as long after each
// next one, up to a minute. A damaged file is repaired, or replaced, and never retried as is.
// Once a day the file is copied to the Backup folder.

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "history/backup.h"
#include "history/connection.h"
#include "history/retry_wait.h"
#include "history/units.h"
#include "history/writer_queue.h"
#include "history/writer_reports.h"

namespace qx7 {

class Sessao_Gravacao;

struct Opcoes_Gravador {
    QString arquivo{};  // Historico.sqlite
    // Called on the writer's thread; the caller carries it over to its own.
    std::function<void(const Aviso_Historico&)> avisar{};
    // SQLite's max_page_count, read at every opening; empty or 0: none (tests fill the file).
    std::function<int()> limite_paginas{};
    std::size_t capacidade_fila = Capacidade_Fila_Padrao;
    Espera_Retentativa espera{};
    int espera_bloqueio_ms = Espera_Bloqueio_Padrao_ms;
    // The daily copies' folder; empty: none.
    QString pasta_copias{};
    // Milliseconds since 1970 for the copies' names and the losses' notes; empty: the
    // computer's clock.
    std::function<qint64()> relogio_ms{};
};

class Gravador_Historico {
  public:
    explicit Gravador_Historico(Opcoes_Gravador opcoes);
    ~Gravador_Historico();  // Encerrar()
    Gravador_Historico(const Gravador_Historico&) = delete;
    Gravador_Historico& operator=(const Gravador_Historico&) = delete;

    // Any thread; takes the lock only to append.
    void Enfileirar(Unidade_Historico unidade);
    // Writes what is queued, then stops the thread; when the file is failing, it is tried once
    // more and what is left is counted lost. Nothing is queued after it.
    void Encerrar();

    // Why units are not being written; empty while they are.
    QString Motivo_Inativo() const;
    // The operator's records committed to the file, and those that never will be.
    std::uint64_t Gravados() const;
    std::uint64_t Perdidos() const;

  private:
    struct Estado {
        Fila_Gravacao fila;
        bool encerrar = false;
        QString motivo_inativo{};
        std::uint64_t gravados = 0;
        std::uint64_t perdidos = 0;
        std::uint64_t perdidos_sem_nota = 0;  // not yet noted in the file
    };
    // A stop of the file, as the writer's thread follows it.
    struct Interrupcao {
        bool ativa = false;
        int falhas = 0;
        std::chrono::steady_clock::time_point proxima{};
        std::uint64_t recuperados = 0;
    };

    struct Agenda_Copias {
        Copias_Seguranca copias;
        bool falhou = false;  // the last try failed, and was told
    };

    void Executar();
    std::optional<Unidade_Historico> Proxima(const Interrupcao& interrupcao);
    void Escrever(Sessao_Gravacao& sessao, Unidade_Historico unidade, Interrupcao& interrupcao);
    void Falhou(const QString& motivo, Interrupcao& interrupcao);
    void Anotar_Perdas(Sessao_Gravacao& sessao);
    void Copiar_Se_Devido(Sessao_Gravacao& sessao, Agenda_Copias& agenda);
    void Avisar(const Aviso_Historico& aviso) const;
    qint64 Agora_ms() const;

    Opcoes_Gravador opcoes_;
    mutable std::mutex mutex_;
    std::condition_variable acordar_;
    Estado estado_;
    std::uint64_t perdidos_avisados_ = 0;  // the losses the last resume told of; its thread's
    std::thread thread_;
};

}  // namespace qx7
