#include "tests/support/fake_serial_port.h"

#include <cstddef>
#include <utility>

namespace qx7::teste {

namespace {

const char* Logico(bool valor) {
    return valor ? "True" : "False";
}

}  // namespace

bool Porta_Falsa::Registrar(const std::string& operacao, bool aceita, std::string erro) {
    operacoes.push_back(aceita ? operacao : operacao + " (recusado)");
    erro_ = aceita ? std::string() : std::move(erro);
    return aceita;
}

bool Porta_Falsa::CommPort(int numero) {
    const std::string operacao = "CommPort=" + std::to_string(numero);
    if (numero < 1) {
        return Registrar(operacao, false, "Invalid port number");
    }
    if (const auto recusa = recusa_commport.find(numero); recusa != recusa_commport.end()) {
        return Registrar(operacao, false, recusa->second);
    }
    porta = numero;
    return Registrar(operacao, true);
}

bool Porta_Falsa::Settings(std::string_view texto) {
    settings = std::string(texto);
    return Registrar("Settings=" + settings, true);
}

bool Porta_Falsa::InputLen(int n) {
    input_len = n;
    return Registrar("InputLen=" + std::to_string(n), true);
}

bool Porta_Falsa::RThreshold(int n) {
    rthreshold = n;
    return Registrar("RThreshold=" + std::to_string(n), true);
}

bool Porta_Falsa::DTREnable(bool ligado) {
    dtr = ligado;
    historico_dtr.push_back(ligado);
    return Registrar(std::string("DTREnable=") + Logico(ligado), true);
}

bool Porta_Falsa::RTSEnable(bool ligado) {
    rts = ligado;
    historico_rts.push_back(ligado);
    return Registrar(std::string("RTSEnable=") + Logico(ligado), true);
}

bool Porta_Falsa::PortOpen(bool abrir) {
    const std::string operacao = std::string("PortOpen=") + Logico(abrir);
    if (abrir) {
        if (porta < 1) {
            return Registrar(operacao, false, "Invalid port number");
        }
        if (const auto recusa = recusa_abertura.find(porta); recusa != recusa_abertura.end()) {
            return Registrar(operacao, false, recusa->second);
        }
    }
    aberta_ = abrir;
    return Registrar(operacao, true);
}

bool Porta_Falsa::Handshaking(int modo) {
    handshaking = modo;
    return Registrar("Handshaking=" + std::to_string(modo), true);
}

void Porta_Falsa::Descartar_Entrada() {
    entrada_.clear();
    Registrar("InBufferCount=0", true);
}

int Porta_Falsa::OutBufferCount() const {
    return reter_saida ? pendentes_ : 0;
}

std::string Porta_Falsa::Input() {
    ++leituras;
    const std::size_t n = input_len > 0 ? static_cast<std::size_t>(input_len) : entrada_.size();
    std::string lido = entrada_.substr(0, n);
    entrada_.erase(0, lido.size());
    return lido;
}

void Porta_Falsa::Output(std::string_view bytes) {
    escritas.push_back({std::string(bytes), rts});
    if (reter_saida) {
        pendentes_ += static_cast<int>(bytes.size());
    }
}

std::string Porta_Falsa::Saida() const {
    std::string tudo;
    for (const auto& escrita : escritas) {
        tudo += escrita.bytes;
    }
    return tudo;
}

void Porta_Falsa::Colocar_Entrada(std::string_view bytes) {
    entrada_ += bytes;
}

void Porta_Falsa::Receber(std::string_view bytes) {
    Colocar_Entrada(bytes);
    Disparar(evento::Recepcao);
}

void Porta_Falsa::Receber_Um_A_Um(std::string_view bytes) {
    for (const char c : bytes) {
        Receber(std::string_view(&c, 1));
    }
}

void Porta_Falsa::Mudar_CTS(bool ligado) {
    cts = ligado;
    Disparar(evento::Mudou_CTS);
}

void Porta_Falsa::Mudar_DSR(bool ligado) {
    dsr = ligado;
    Disparar(evento::Mudou_DSR);
}

}  // namespace qx7::teste
