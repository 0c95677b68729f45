#pragma once
// A damaged Historico.sqlite made sound again with as little lost as SQLite allows: its indexes
// rebuilt in place when only they are damaged; otherwise every row that can still be read is
// copied into a new file that takes its place. Only a file from which rows were lost is kept
// aside (Historico-corrompido-AAAAMMDD-HHMMSS.sqlite) for whoever wants to look into it.

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace qx7 {

struct Resultado_Reparo {
    enum class Tipo {
        Reindexado,  // only the indexes were damaged: rebuilt in place, nothing lost
        Copiado,     // every row read into a new file, which took the damaged one's place
        Guardado,    // not every row could be read: the file kept aside, what was read copied
        Falhou,      // nothing could be done: the file is as it was
    };
    Tipo tipo = Tipo::Falhou;
    std::uint64_t linhas = 0;  // rows in the file now (Copiado, Guardado)
    QString guardado_como;     // Guardado
};

// `arquivo` is damaged and no connection of the writer is open on it; `agora` names the file
// kept aside.
Resultado_Reparo Reparar_Arquivo(const QString& arquivo, const QDateTime& agora);

// The file, with its journal side files, moved aside unread; Falhou when it cannot be moved.
Resultado_Reparo Guardar_A_Parte(const QString& arquivo, const QDateTime& agora);

}  // namespace qx7
