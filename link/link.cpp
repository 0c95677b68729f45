#include "link/link.h"

#include <utility>

#include "link/codepage.h"

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

void Enlace::Porta_Perdida() {
    Abandonar_Pedido(cp1252("Status: Pedido abandonado, porta serial fechada!"));
    Verificar_Linha();
}

void Enlace::Porta_Reaberta() {
    ++estatisticas_.Reaberturas_Porta;
    Abandonar_Pedido(cp1252("Status: Pedido abandonado, porta serial reaberta!"));
    montagem_ = {};
    dsr_.visto_ativo = false;
    Verificar_Linha();
}

// Only an exchange still awaiting its answer is given up, so a loss and the reopening that
// follows it log it once.
void Enlace::Abandonar_Pedido(std::string linha) {
    if (motor_.Estado_Protocolo != Estado_Aguardando_ACK) {
        return;
    }
    ++estatisticas_.Timeouts_Recepcao;
    Registrar_Aviso(std::move(linha));
    motor_.Estado_Protocolo = Estado_Ocioso;
    motor_.Contador_Timeout = 0;
}

void Enlace::Registrar(std::string linha) {
    registro_.Adicionar(std::move(linha));
}

void Enlace::Registrar_Aviso(std::string linha) {
    registro_.Adicionar_Aviso(std::move(linha));
}

}  // namespace qx7
