#pragma once
// The publisher: on a thread of its own, it keeps a connection to the broker and publishes the
// history's rows after the cursors, in order, with a bounded number in flight, at start,
// after every reconnection and as rows arrive; the cursors move as the broker acknowledges.
// A broker that is down, slow or refusing never holds up the caller: every call here only
// takes a lock to hand something over. Without a history file it publishes the readings
// handed to it live, from a bounded queue, and counts what it drops.

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "gauge/history_sink.h"
#include "link/link_statistics.h"
#include "publish/mqtt_config.h"
#include "publish/publication_state.h"

namespace qx7 {

inline constexpr std::size_t Janela_Padrao = 256;
inline constexpr std::size_t Capacidade_Ao_Vivo_Padrao = 10'000;

struct Tempos_Publicacao {
    std::chrono::milliseconds primeira_espera{1000};  // after a failure, doubled up to maior
    std::chrono::milliseconds maior_espera{5 * 60 * 1000};
    // A connection that lasted less goes on with the longer waits.
    std::chrono::milliseconds conexao_estavel{30'000};
    std::chrono::milliseconds prazo_conexao{10'000};
    std::chrono::milliseconds consulta{1000};   // the history looked at for new rows
    std::chrono::milliseconds reabrir{60'000};  // the file opened again, when nothing is out
    std::chrono::milliseconds gravar_cursores{1000};
    std::chrono::milliseconds encerramento{1000};  // the last acknowledgements waited for
};

// A log line, or news that the state changed (Estado() has it).
struct Relato_Publicacao {
    enum class Tipo { Linha, Aviso, Estado };
    Tipo tipo = Tipo::Estado;
    QString linha{};
};

struct Opcoes_Publicador {
    Configuracao_Mqtt config;
    QString arquivo_historico;  // empty: live, from the bounded queue
    // Called on the publisher's thread; the caller carries it over to its own.
    std::function<void(const Relato_Publicacao&)> relatar{};
    Tempos_Publicacao tempos{};
    std::size_t janela = Janela_Padrao;
    std::size_t capacidade_ao_vivo = Capacidade_Ao_Vivo_Padrao;
};

// What other threads hand the publisher's thread, under its lock.
struct Entrada_Publicador {
    std::deque<std::pair<qint64, Leitura_Recebida>> leituras;  // live, with their instants
    std::uint64_t descartadas = 0;
    std::optional<QByteArray> enlace;  // the newest counters' message
    bool parar = false;
};

class Publicador {
  public:
    explicit Publicador(Opcoes_Publicador opcoes);
    ~Publicador();  // Encerrar()
    Publicador(const Publicador&) = delete;
    Publicador& operator=(const Publicador&) = delete;

    // "offline" published, the last acknowledgements waited for a moment, the cursors
    // written, the connection closed and the thread ended.
    void Encerrar();

    // A reading to publish live (only without a history); a copy is taken.
    void Leitura_Ao_Vivo(const Leitura_Recebida& leitura, qint64 instante_ms);
    // The link's counters since `desde_ms`, retained.
    void Contadores_Enlace(const Estatisticas_Enlace& contadores, qint64 desde_ms,
                           qint64 instante_ms);

    Estado_Publicacao Estado() const;

  private:
    friend class Sessao_Publicacao;

    Opcoes_Publicador opcoes_;
    mutable std::mutex mutex_;
    std::condition_variable acordar_;
    Entrada_Publicador entrada_;
    Estado_Publicacao estado_;
    std::thread thread_;
};

}  // namespace qx7
