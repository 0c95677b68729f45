#pragma once
// What the history window needs from the program: where the file is, the link's counters, the
// automatic reading's interval, the records lost and the publishing. The program fills it;
// tests give their own; the window alone (comunicacao-qx7 --historico) has the file only.

#include <QString>
#include <cstdint>
#include <functional>

#include "link/link_statistics.h"
#include "station/alarm_services.h"
#include "station/publication_services.h"

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
    // Records dropped this session because the history could not take them.
    std::function<std::uint64_t()> perdidos;
    Servicos_Alarmes alarmes{};  // none: the window alone
    // The station's publishing to the head office; the front end fills it.
    Servicos_Publicacao publicacao{};
};

}  // namespace qx7
