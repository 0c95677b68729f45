#pragma once
// What the history writer tells the operator: a line for the communication log and, when it
// needs attention, a message. Each report is typed, so the program decides how to show it.

#include <QString>
#include <cstdint>

#include "history/repair.h"

namespace qx7 {

struct Aviso_Historico {
    enum class Tipo {
        Parado,        // the file stopped taking units; they wait in memory
        Retomado,      // it takes them again and what waited is written
        Reparado,      // a damaged file was repaired or replaced
        Copia_Feita,   // the daily copy was made
        Copia_Falhou,  // it could not be
    };
    Tipo tipo = Tipo::Parado;
    QString linha_log;
    QString mensagem;             // empty: the log line says enough
    std::uint64_t registros = 0;  // Retomado: the records recovered; Reparado: the rows kept
};

Aviso_Historico Aviso_Parado(const QString& motivo, std::size_t capacidade);
// `perdidos`: the records pushed out of the full queue during the stop.
Aviso_Historico Aviso_Retomado(std::uint64_t recuperados, std::uint64_t perdidos);
Aviso_Historico Aviso_Reparado(const Resultado_Reparo& reparo);
Aviso_Historico Aviso_Copia_Feita(const QString& arquivo);
Aviso_Historico Aviso_Copia_Falhou(const QString& motivo);

}  // namespace qx7
