#pragma once
// The periods the tab "Tanques" offers, as whole local days turned into computer times.

#include <QDate>
#include <QtGlobal>

namespace qx7 {

// In the order of the period box.
enum class Periodo { Hoje, Ultimos_7_Dias, Ultimos_30_Dias, Intervalo };

struct Intervalo_Ms {
    qint64 de_ms = 0;
    qint64 ate_ms = 0;  // excluded
};

// From the start of the first day to the end of the last: today; the last 7 or 30 days,
// today included; or from `de` to `ate`, both included (swapped when given backwards).
Intervalo_Ms Intervalo_Do_Periodo(Periodo periodo, QDate hoje, QDate de, QDate ate);

}  // namespace qx7
