#pragma once
// How healthy the line is: what the link counted since the program started, and the one table
// that names each counter for the history file and the screens.

#include <array>
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

struct Campo_Estatistica {
    const char* Nome;    // key in the history file; never renamed, stored files rely on it
    const char* Rotulo;  // what the operator reads (UTF-8)
    std::uint64_t Estatisticas_Enlace::*Membro;
};

inline constexpr std::array<Campo_Estatistica, 12> Campos_Estatisticas = {{
    {"quadros_enviados", "Quadros enviados", &Estatisticas_Enlace::Quadros_Enviados},
    {"acks_recebidos", "ACKs recebidos", &Estatisticas_Enlace::ACKs_Recebidos},
    {"naks_recebidos", "NAKs recebidos", &Estatisticas_Enlace::NAKs_Recebidos},
    {"acks_enviados", "ACKs enviados", &Estatisticas_Enlace::ACKs_Enviados},
    {"naks_enviados", "NAKs enviados", &Estatisticas_Enlace::NAKs_Enviados},
    {"repeticoes", "Repetições", &Estatisticas_Enlace::Repeticoes},
    {"repeticoes_esgotadas", "Repetições esgotadas", &Estatisticas_Enlace::Repeticoes_Esgotadas},
    {"timeouts_recepcao", "Time-outs de recepção", &Estatisticas_Enlace::Timeouts_Recepcao},
    {"timeouts_transmissao", "Time-outs de transmissão",
     &Estatisticas_Enlace::Timeouts_Transmissao},
    {"erros_bcc", "Erros de caractere de verificação (BCC)", &Estatisticas_Enlace::Erros_BCC},
    {"descartes_tamanho", "Unidades descartadas no limite de tamanho",
     &Estatisticas_Enlace::Descartes_Tamanho},
    {"reaberturas_porta", "Reaberturas da porta", &Estatisticas_Enlace::Reaberturas_Porta},
}};

}  // namespace qx7
