#pragma once
// What the serial component samples on every poll of an open port, and the events a change
// raises: line changes give 3 (CTS), 4 (DSR), 5 (CD), 6 (RI); grown error counters give 1001
// (break), 1004 (framing), 1006 (overrun), 1009 (parity).

#include <vector>

namespace qx7 {

struct Linhas_Modem {
    bool cts = false;
    bool dsr = false;
    bool cd = false;
    bool ri = false;
};

struct Contadores_Erro {
    long brk = 0;
    long framing = 0;
    long overrun = 0;
    long paridade = 0;
};

// The events of every line or counter that differs, in the order of the codes above.
std::vector<int> Eventos_Linhas(const Linhas_Modem& antes, const Linhas_Modem& agora);
std::vector<int> Eventos_Erros(const Contadores_Erro& antes, const Contadores_Erro& agora);

}  // namespace qx7
