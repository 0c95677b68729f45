// Timer1: the clock labels, the running light and the watch on the gauge's DSR line.
#include <string>

#include "link/codepage.h"
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
    Verificar_Linha();
}

void Enlace::Verificar_Linha() {
    const Situacao_Linha agora = Avaliar_Linha();
    if (agora != situacao_) {
        situacao_ = agora;
        if (Linha_Mudou) {
            Linha_Mudou(agora);
        }
    }
}

// DSR counts only where it has been seen active since the port opened.
Situacao_Linha Enlace::Avaliar_Linha() {
    if (!porta_.PortOpen()) {
        return Situacao_Linha::Porta_Fechada;
    }
    if (porta_.DSRHolding()) {
        dsr_.visto_ativo = true;
        return Situacao_Linha::Pronta;
    }
    if (dsr_.visto_ativo) {
        return Situacao_Linha::Medidor_Desligado;
    }
    if (!dsr_.sem_dsr_avisado) {
        dsr_.sem_dsr_avisado = true;
        Registrar(cp1252("Status: Sinal DSR nunca ativo nesta porta: linha tratada como sem DSR!"));
    }
    return Situacao_Linha::Pronta;
}

}  // namespace qx7
