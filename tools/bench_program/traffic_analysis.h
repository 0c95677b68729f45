#pragma once
// Where the time of one exchange went, from the recorded traffic: the frames received (first
// and last byte), the program's ACK after each, and the gauge's turn-around before the next.

#include <cstddef>
#include <vector>

#include "tools/bench_program/counting_port.h"

namespace qx7::bancada {

struct Analise {
    long bytes = 0;  // both ways, from the click to the end
    long enviados = 0;
    long recebidos = 0;
    int quadros = 0;                  // frames received
    double ate_pedido_ms = 0;         // click to the request handed to the port
    double pedido_ate_quadro_ms = 0;  // request to the first byte of the first frame
    double transferencia_ms = 0;      // sum over frames, first byte to last byte
    double reacao_ms = 0;             // sum, last byte of a frame to the program's ACK
    double retorno_ms = 0;            // sum, the program's ACK to the next frame's first byte
    double espera_tick_ms = 0;        // sum, last byte of a frame to the start of the next tick
    double tick_ate_ack_ms = 0;       // sum, start of that tick to the ACK (decode, 5 ms pause)
    double ciclo_ms = 0;              // sum, ACK to ACK
    double reacao_max_ms = 0;
    double reacao_min_ms = 1e9;
    double bytes_quadros = 0;  // bytes of the frames received
};

// The traffic from index `inicio` on, up to `fim`; `ticks` holds when each Timer3 tick began.
Analise Analisar(const std::vector<Trafego>& trafego, std::size_t inicio,
                 Relogio::time_point clique, Relogio::time_point fim,
                 const std::vector<Relogio::time_point>& ticks);

void Imprimir(const Analise& a);

}  // namespace qx7::bancada
