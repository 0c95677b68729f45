#pragma once
// One unit of work of the history writer: what one answer, one completed inventory run, one
// flush of the link's counters, one alarm's change or one delivery adds to the file, in one
// transaction. The texts are still in the line's code page; the writer converts them on its own
// thread.

#include <QtGlobal>
#include <cstdint>
#include <string>
#include <variant>

#include "gauge/alarms.h"
#include "gauge/deliveries.h"
#include "gauge/history_sink.h"
#include "link/link_statistics.h"

namespace qx7 {

struct Unidade_Leitura {
    qint64 instante_ms = 0;
    Leitura_Recebida leitura;
    bool do_inventario = false;
};

struct Unidade_Inicio_Inventario {};

struct Unidade_Fim_Inventario {
    qint64 instante_ms = 0;
    std::string endereco;
    int num_tanques = 0;
};

struct Unidade_Serie {
    qint64 instante_ms = 0;
    Serie_Programada_Recebida serie;
};

struct Unidade_Relogio {
    qint64 instante_ms = 0;
    Relogio_Recebido relogio;
};

// Counted since the last flush; added to the file's totals.
struct Unidade_Contadores {
    Estatisticas_Enlace acrescimo;
};

// The operator's records the writer had to drop since the last such note, kept in the file so
// a gap in the history can be told from a quiet gauge.
struct Unidade_Perdas {
    qint64 instante_ms = 0;
    std::uint64_t registros = 0;
};

// An alarm raised, cleared or acknowledged: the occurrence's row and its event, together.
struct Unidade_Alarme {
    Mudanca_Alarme mudanca;
};

struct Unidade_Descarga {
    int tanque = 0;
    Descarga descarga;
    bool peso = false;  // the tank's values are weights, not volumes
};

using Unidade_Historico =
    std::variant<Unidade_Leitura, Unidade_Inicio_Inventario, Unidade_Fim_Inventario, Unidade_Serie,
                 Unidade_Relogio, Unidade_Contadores, Unidade_Perdas, Unidade_Alarme,
                 Unidade_Descarga>;

}  // namespace qx7
