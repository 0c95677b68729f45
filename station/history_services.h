#pragma once
// What the history window needs from the program: where the file is, the link's counters and
// the automatic reading's interval. The program fills it; tests give their own.

#include <QString>
#include <functional>

#include "link/link_statistics.h"

namespace qx7 {

struct Servicos_Historico {
    QString arquivo;  // Historico.sqlite
    // Counted since the program started.
    std::function<Estatisticas_Enlace()> contadores_sessao;
    // Counted this session but not yet added to the file's totals.
    std::function<Estatisticas_Enlace()> contadores_pendentes;
    // Why the history is not being written, empty while it is.
    std::function<QString()> motivo_inativo;
    std::function<int()> intervalo;              // minutes, 0 off
    std::function<bool(int)> definir_intervalo;  // false: not kept
};

}  // namespace qx7
