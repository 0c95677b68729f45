#include "tools/bench_program/counting_port.h"

namespace qx7::bancada {

Porta_Contadora::Porta_Contadora(PortaSerial& porta) : porta_(porta) {
    porta_.OnComm([this] { Disparar_OnComm(porta_.CommEvent()); });
}

Porta_Contadora::~Porta_Contadora() {
    porta_.OnComm(nullptr);
}

std::string Porta_Contadora::Input() {
    std::string lido = porta_.Input();
    if (!lido.empty()) {
        recebidos += static_cast<long>(lido.size());
        trafego.push_back({Relogio::now(), false, lido});
    }
    return lido;
}

int Porta_Contadora::OutBufferCount() const {
    const int n = porta_.OutBufferCount();
    ++consultas_saida;
    saida_pendente += n != 0;
    return n;
}

void Porta_Contadora::Output(std::string_view bytes) {
    enviados += static_cast<long>(bytes.size());
    trafego.push_back({Relogio::now(), true, std::string(bytes)});
    porta_.Output(bytes);
}

}  // namespace qx7::bancada
