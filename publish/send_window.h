#pragma once
// The messages sent and not yet acknowledged (PUBACK), at most a bounded number at once, and
// for each stream of the history the cursor: its last row which, with every row before it,
// the broker has acknowledged. Rows are sent in order; acknowledgements may come in any order,
// and the cursor moves only over an unbroken run of them. A lost connection forgets what was
// in flight: it is sent again from the cursor.

#include <QByteArray>
#include <QtGlobal>
#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <unordered_map>

namespace qx7 {

// The history's streams, each published in the order of its table's ids.
enum class Fluxo { Leituras, Inventarios, Descargas, Alarmes };
inline constexpr std::size_t Numero_Fluxos = 4;
inline constexpr std::array<Fluxo, Numero_Fluxos> Todos_Fluxos = {
    Fluxo::Leituras, Fluxo::Inventarios, Fluxo::Descargas, Fluxo::Alarmes};

// What a message in flight stands for.
struct Origem_Mensagem {
    enum class Tipo { Linha, Ao_Vivo, Retida };
    Tipo tipo = Tipo::Linha;
    Fluxo fluxo = Fluxo::Leituras;  // Linha: the row's stream
    qint64 numero = 0;              // Linha: the row's id; Ao_Vivo: the queue's sequence
    QByteArray topico{};            // Retida: its topic
};

using Cursores = std::array<qint64, Numero_Fluxos>;

class Janela_Envio {
  public:
    explicit Janela_Envio(std::size_t limite) : limite_(limite) {}

    bool Cheia() const { return em_voo_.size() >= limite_; }
    std::size_t Em_Voo() const { return em_voo_.size(); }
    std::size_t Limite() const { return limite_; }

    // `id`: what the library will acknowledge it with. Rows of a stream in increasing order.
    void Enviada(int id, Origem_Mensagem origem);
    // What the acknowledgement `id` stands for; none for one not in flight (sent on a
    // connection since forgotten).
    std::optional<Origem_Mensagem> Confirmada(int id);
    void Esquecer();

    const Cursores& Cursor() const { return cursores_; }
    qint64 Cursor(Fluxo fluxo) const { return cursores_[Indice(fluxo)]; }
    // As read from the history when it is opened.
    void Definir_Cursores(const Cursores& cursores) { cursores_ = cursores; }

    static std::size_t Indice(Fluxo fluxo) { return static_cast<std::size_t>(fluxo); }

  private:
    std::size_t limite_;
    std::unordered_map<int, Origem_Mensagem> em_voo_;
    // Per stream, the rows sent since the cursor, true once acknowledged.
    std::array<std::map<qint64, bool>, Numero_Fluxos> linhas_{};
    Cursores cursores_{};
};

}  // namespace qx7
