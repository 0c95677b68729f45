#pragma once
// The line as the link sees it, for whoever keeps the gauge session: the port may be closed
// (device gone or not yet there), the gauge may have dropped DSR, or the line is usable.

namespace qx7 {

enum class Situacao_Linha {
    Porta_Fechada,
    Medidor_Desligado,  // DSR was seen active since the port opened, and dropped
    Pronta,             // open, and DSR active or never wired
};

}  // namespace qx7
