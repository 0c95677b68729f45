#include "service/journal_log.h"

#include <QByteArray>

#include "text/visible_text.h"

namespace qx7 {

void Diario::Linha(std::string_view linha, Prioridade prioridade) {
    Texto(Texto_Visivel(linha), prioridade);
}

// Written and flushed at once: a journal reader sees the line while the service runs.
void Diario::Texto(const QString& texto, Prioridade prioridade) {
    const QByteArray linha =
        "<" + QByteArray::number(static_cast<int>(prioridade)) + ">" + texto.toUtf8() + "\n";
    std::fwrite(linha.constData(), 1, static_cast<std::size_t>(linha.size()), saida_);
    std::fflush(saida_);
}

}  // namespace qx7
