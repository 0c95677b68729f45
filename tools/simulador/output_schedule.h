#pragma once
// The gauge's output as a schedule of bytes: immediate by default, one byte per write with
// gaps when split, or spaced at the line rate of 9600 baud (960 bytes a second).

#include <deque>
#include <optional>
#include <string_view>

#include "tools/simulador/gauge_config.h"
#include "tools/simulador/line_io.h"

namespace qx7::simulador {

class Agenda_Saida {
  public:
    explicit Agenda_Saida(const Falhas& falhas);

    // Queues the bytes behind whatever is still waiting; returns the instant of the last one.
    Instante Agendar(std::string_view bytes, Instante agora);

    // Writes every byte that is due: together in one write, or one per write when split.
    void Liberar(Instante agora, Linha& linha);

    std::optional<Instante> Proximo() const;
    bool Vazia() const { return fila_.empty(); }

  private:
    struct Byte {
        Instante quando;
        char valor;
    };

    // Instant of byte k of the running chain: exact to the microsecond over any length.
    Instante Momento(long long k) const;

    // Spacing between bytes as the fraction numerador / denominador microseconds.
    long long numerador_ = 0;
    long long denominador_ = 1;
    bool um_por_escrita_ = false;

    Instante inicio_cadeia_{};
    long long bytes_cadeia_ = 0;
    std::deque<Byte> fila_;
};

}  // namespace qx7::simulador
