// Timer1: the clock labels, the running light and the watch on the gauge's DSR line.
#include <string>

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
    Marcar_Estado_Linha();
}

// A port whose device went away is told apart from a gauge that dropped DSR; once either comes
// back, the panel reads "OFF-LINE" until the gauge identifies itself again.
void Enlace::Marcar_Estado_Linha() {
    const std::string atual = painel_.Texto(Controle::Estado);
    if (!porta_.PortOpen()) {
        painel_.Definir_Texto(Controle::Estado, "PORTA FECHADA");
    } else if (!porta_.DSRHolding()) {
        painel_.Definir_Texto(Controle::Estado, "QX7 DESLIGADO");
    } else if (atual == "QX7 DESLIGADO" || atual == "PORTA FECHADA") {
        painel_.Definir_Texto(Controle::Estado, "OFF-LINE");
    }
}

}  // namespace qx7
