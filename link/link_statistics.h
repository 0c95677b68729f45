#pragma once
// How healthy the line is: what the link counted since the program started.

#include <cstdint>

namespace qx7 {

struct Estatisticas_Enlace {
    std::uint64_t Quadros_Enviados = 0;  // request frames on the wire, repetitions included
    std::uint64_t ACKs_Recebidos = 0;
    std::uint64_t NAKs_Recebidos = 0;
    std::uint64_t ACKs_Enviados = 0;
    std::uint64_t NAKs_Enviados = 0;
    std::uint64_t Repeticoes = 0;            // a request sent again after a NAK
    std::uint64_t Repeticoes_Esgotadas = 0;  // a request given up after the last repetition
    std::uint64_t Timeouts_Recepcao = 0;     // no answer within the time-out
    std::uint64_t Timeouts_Transmissao = 0;  // the port did not drain within the limit
    std::uint64_t Erros_BCC = 0;             // a frame whose check character did not match
    std::uint64_t Descartes_Tamanho = 0;     // a unit dropped at the size cap
    std::uint64_t Reaberturas_Porta = 0;
};

}  // namespace qx7
