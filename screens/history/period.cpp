#include "screens/history/period.h"

#include <QDateTime>
#include <utility>

namespace qx7 {

namespace {

qint64 Inicio_Do_Dia(QDate dia) {
    return dia.startOfDay().toMSecsSinceEpoch();
}

Intervalo_Ms Dias(QDate primeiro, QDate ultimo) {
    return {Inicio_Do_Dia(primeiro), Inicio_Do_Dia(ultimo.addDays(1))};
}

}  // namespace

Intervalo_Ms Intervalo_Do_Periodo(Periodo periodo, QDate hoje, QDate de, QDate ate) {
    switch (periodo) {
        case Periodo::Hoje:
            return Dias(hoje, hoje);
        case Periodo::Ultimos_7_Dias:
            return Dias(hoje.addDays(-6), hoje);
        case Periodo::Ultimos_30_Dias:
            return Dias(hoje.addDays(-29), hoje);
        case Periodo::Intervalo:
            break;
    }
    if (ate < de) {
        std::swap(de, ate);
    }
    return Dias(de, ate);
}

}  // namespace qx7
