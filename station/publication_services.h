#pragma once
// What the window needs of the station's publishing: its state for the "Enlace" tab, the
// preferences file the "Publicação" dialog edits, and the call that has the station read it
// again once saved. Empty members: the window alone (comunicacao-qx7 --historico) publishes
// nothing.

#include <QString>
#include <functional>

#include "publish/publication_state.h"

namespace qx7 {

struct Servicos_Publicacao {
    std::function<Estado_Publicacao()> estado{};
    QString arquivo_preferencias{};
    std::function<void()> reler{};
};

}  // namespace qx7
