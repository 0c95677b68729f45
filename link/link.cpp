#include "link/link.h"

#include <utility>

namespace qx7 {

Enlace::Enlace(PortaSerial& porta, Plataforma& plataforma, Registro& registro, Painel& painel)
    : porta_(porta), plataforma_(plataforma), registro_(registro), painel_(painel) {
    porta_.OnComm([this] { OnComm(); });
}

Enlace::~Enlace() {
    porta_.OnComm(nullptr);
}

void Enlace::Definir_Estado_Protocolo(int estado) {
    motor_.Estado_Protocolo = estado;
}

int Enlace::Estado_Protocolo() const {
    return motor_.Estado_Protocolo;
}

void Enlace::Porta_Reaberta() {
    ++estatisticas_.Reaberturas_Porta;
    montagem_ = {};
    motor_.Estado_Protocolo = Estado_Ocioso;
    motor_.Contador_Timeout = 0;
    Marcar_Estado_Linha();
}

void Enlace::Registrar(std::string linha) {
    registro_.Adicionar(std::move(linha));
}

}  // namespace qx7
