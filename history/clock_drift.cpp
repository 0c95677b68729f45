#include "history/clock_drift.h"

#include <QDateTime>

#include "text/qt_1252.h"

namespace qx7 {

std::optional<qint64> Deriva_Relogio_s(const Relogio_Recebido& relogio, qint64 instante_ms) {
    const QDate dia = QDate::fromString(De_1252(relogio.data), QStringLiteral("dd/MM/yy"));
    const QTime hora = QTime::fromString(De_1252(relogio.hora), QStringLiteral("HH:mm:ss"));
    if (!dia.isValid() || !hora.isValid()) {
        return std::nullopt;
    }
    // Two-digit years are of this century.
    const QDateTime medidor(dia.addYears(dia.year() < 2000 ? 100 : 0), hora);
    return (medidor.toMSecsSinceEpoch() - instante_ms) / 1000;
}

}  // namespace qx7
