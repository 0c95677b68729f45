#pragma once
// Messages that are not rows of the history. Retained ones (the station's state, each tank's
// last reading, the link's counters) keep only their newest content per topic and are sent
// again after a lost connection until acknowledged. Live readings, published when there is no
// history, wait in a bounded queue: beyond it the oldest are dropped and counted.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>

#include "publish/mqtt_client.h"

namespace qx7 {

class Mensagens_Retidas {
  public:
    // The newest content of `topico`, to be (re)sent.
    void Definir(const QByteArray& topico, const QByteArray& conteudo);
    // One waiting to be sent, marked as sent; none when all are out.
    std::optional<Mensagem_Mqtt> Tomar();
    // Its broker's acknowledgement; a content replaced meanwhile is still waiting.
    void Confirmada(const QByteArray& topico);
    void Esquecer();  // the connection is gone: what was out waits again
    std::size_t Aguardando() const;

  private:
    struct Vaga {
        QByteArray conteudo;
        bool aguardando = true;
        bool em_voo = false;
    };
    std::map<QByteArray, Vaga> vagas_;
};

class Fila_Ao_Vivo {
  public:
    explicit Fila_Ao_Vivo(std::size_t capacidade) : capacidade_(capacidade) {}

    void Enfileirar(Mensagem_Mqtt mensagem);
    // The oldest not yet sent, and its sequence number; marked as sent.
    std::optional<std::pair<std::uint64_t, Mensagem_Mqtt>> Tomar();
    void Confirmada(std::uint64_t sequencia);
    void Esquecer();

    std::size_t Tamanho() const { return fila_.size(); }
    std::uint64_t Descartadas() const { return descartadas_; }

  private:
    struct Item {
        std::uint64_t sequencia = 0;
        Mensagem_Mqtt mensagem;
        bool enviada = false;
    };
    std::size_t capacidade_;
    std::deque<Item> fila_;
    std::uint64_t proxima_ = 1;
    std::uint64_t descartadas_ = 0;
};

}  // namespace qx7
