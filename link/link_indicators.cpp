// Timer1: the clock labels, the running light and the watch on the gauge's DSR line.
#include "link/link.h"

namespace qx7 {

namespace {

constexpr int Lampadas = 5;

}  // namespace

void Enlace::Timer1_Tick() {
    painel_.Definir_Texto(Controle::Data, plataforma_.Data_Atual());
    painel_.Definir_Texto(Controle::Hora, plataforma_.Hora_Atual());
    painel_.Selecionar_Sinal(Indice_Sinal_);
    Indice_Sinal_ = (Indice_Sinal_ + 1) % Lampadas;
    if (!porta_.DSRHolding()) {
        painel_.Definir_Texto(Controle::Estado, "QX7 DESLIGADO");
    } else if (painel_.Texto(Controle::Estado) == "QX7 DESLIGADO") {
        painel_.Definir_Texto(Controle::Estado, "OFF-LINE");
    }
}

}  // namespace qx7
