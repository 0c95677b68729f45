#pragma once
// How far the gauge's clock is from the computer's, from a clock answer's texts.

#include <QtGlobal>
#include <optional>

#include "gauge/history_sink.h"

namespace qx7 {

// Gauge minus computer, in seconds, the answer received at `instante_ms`; none when the gauge's
// texts are not a date and a time.
std::optional<qint64> Deriva_Relogio_s(const Relogio_Recebido& relogio, qint64 instante_ms);

}  // namespace qx7
