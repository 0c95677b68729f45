#include "tools/simulador/gauge_engine.h"

#include <algorithm>

#include "link/frame.h"
#include "tools/simulador/requests.h"
#include "tools/simulador/settings.h"

namespace qx7::simulador {

namespace {

// Consumes one unit of a fault count; Sempre never runs out.
bool Consumir(int& contador) {
    if (contador == 0) {
        return false;
    }
    if (contador > 0) {
        --contador;
    }
    return true;
}

// The payload of a frame STX ... ETX BCC.
std::string_view Conteudo(std::string_view quadro) {
    return quadro.substr(1, quadro.size() - 3);
}

}  // namespace

std::string Visivel(std::string_view texto) {
    std::string visivel;
    for (const char c : texto) {
        const auto codigo = static_cast<unsigned char>(c);
        if (c == CR) {
            visivel += "<CR>";
        } else if (c == SOH) {
            visivel += "<SOH>";
        } else if (codigo < 0x20 || codigo == 0x7F) {
            static const char hexa[] = "0123456789ABCDEF";
            visivel += std::string("<") + hexa[codigo >> 4] + hexa[codigo & 15] + ">";
        } else {
            visivel += c;
        }
    }
    return visivel;
}

Simulador::Simulador(Config_Simulador config, Linha& linha, const Relogio& relogio)
    : config_(std::move(config)),
      linha_(linha),
      relogio_(relogio),
      modelo_(config_.medidor, relogio.Agora()),
      saida_(config_.falhas) {}

bool Simulador::Definir(std::string_view definicao, std::string& erro) {
    Config_Medidor medidor = modelo_.Config();
    if (!Aplicar_Definicao(medidor, definicao, erro)) {
        return false;
    }
    modelo_.Redefinir(std::move(medidor), relogio_.Agora());
    return true;
}

void Simulador::Receber(std::string_view bytes) {
    for (const char c : bytes) {
        const Passo_RX passo = Montar(montagem_, std::string_view(&c, 1));
        if (passo.unidade) {
            Tratar_Unidade(*passo.unidade);
        }
    }
    Avancar();
}

void Simulador::Avancar() {
    const Instante agora = relogio_.Agora();
    saida_.Liberar(agora, linha_);
    if (serie_.aguardando_ack && agora >= serie_.prazo) {
        // The program acknowledges the last frame of an inventory or of programmed
        // measurements only once the operator closes the screen it opened.
        Abandonar_Resposta_Atual(serie_.respostas.size() == 1
                                     ? "sem ACK do programa no prazo (normal se o programa "
                                       "mostra o inventário ou os resultados)"
                                     : "sem ACK do programa no prazo");
        saida_.Liberar(agora, linha_);
    }
}

std::optional<Instante> Simulador::Proximo_Prazo() const {
    std::optional<Instante> prazo = saida_.Proximo();
    if (serie_.aguardando_ack) {
        prazo = prazo ? std::min(*prazo, serie_.prazo) : serie_.prazo;
    }
    return prazo;
}

void Simulador::Tratar_Unidade(const std::string& unidade) {
    if (unidade.size() == 1) {
        Tratar_Confirmacao(unidade.front());
        return;
    }
    if (!BCC_Correto(unidade)) {
        Informar("Pedido com BCC errado: " + Visivel(Conteudo(unidade)) + " (NAK)");
        Enviar(std::string(1, NAK));
        return;
    }
    Tratar_Pedido(Conteudo(unidade));
}

void Simulador::Tratar_Pedido(std::string_view pedido) {
    if (Consumir(config_.falhas.silencio)) {
        Informar("Pedido " + Visivel(pedido) + " ignorado (silêncio)");
        return;
    }
    if (Consumir(config_.falhas.nak_pedidos)) {
        Informar("Pedido " + Visivel(pedido) + " recusado com NAK (falha injetada)");
        Enviar(std::string(1, NAK));
        return;
    }
    Informar("Pedido: " + Visivel(pedido));
    Enviar(std::string(1, ACK));
    if (!serie_.respostas.empty()) {
        // The program has moved on to a new request; the rest of the old series is moot.
        Informar("Respostas pendentes descartadas pelo novo pedido");
    }
    const auto respostas = Responder(modelo_, pedido, relogio_.Agora());
    serie_ = Serie{};
    serie_.respostas.assign(respostas.begin(), respostas.end());
    if (respostas.empty()) {
        Informar("Sem resposta para " + Visivel(pedido));
    }
    Enviar_Proxima();
}

void Simulador::Tratar_Confirmacao(char c) {
    if (!serie_.aguardando_ack) {
        return;  // a late or duplicate acknowledgement: nothing is waiting for it
    }
    if (c == ACK) {
        serie_.respostas.pop_front();
        serie_.aguardando_ack = false;
        Enviar_Proxima();
        return;
    }
    if (serie_.envios > config_.repeticoes) {
        Abandonar_Resposta_Atual("NAK após " + std::to_string(config_.repeticoes) + " repetições");
        return;
    }
    Informar("NAK do programa: repetindo a resposta (" + std::to_string(serie_.envios) + "/" +
             std::to_string(config_.repeticoes) + ")");
    Enviar_Resposta_Atual();
}

void Simulador::Enviar_Proxima() {
    serie_.envios = 0;
    serie_.aguardando_ack = false;
    if (!serie_.respostas.empty()) {
        Enviar_Resposta_Atual();
    }
}

void Simulador::Enviar_Resposta_Atual() {
    std::string quadro = Monta_Quadro(serie_.respostas.front());
    if (Consumir(config_.falhas.bcc_errado)) {
        quadro.back() = static_cast<char>(quadro.back() ^ 0x5A);
        Informar("Resposta com BCC errado (falha injetada)");
    }
    Informar("Resposta: " + Visivel(serie_.respostas.front()));
    serie_.prazo = Enviar(quadro) + config_.timeout_ack;
    ++serie_.envios;
    serie_.aguardando_ack = true;
}

void Simulador::Abandonar_Resposta_Atual(std::string_view motivo) {
    Informar("Resposta " + Visivel(serie_.respostas.front()) +
             " abandonada: " + std::string(motivo));
    serie_.respostas.pop_front();
    Enviar_Proxima();
}

Instante Simulador::Enviar(std::string_view unidade) {
    const Instante agora = relogio_.Agora();
    std::string bytes = config_.falhas.ruido ? ruido_.Proximo() : std::string();
    bytes += unidade;
    const Instante ultimo = saida_.Agendar(bytes, agora);
    saida_.Liberar(agora, linha_);
    return ultimo;
}

void Simulador::Informar(const std::string& linha) {
    if (ao_informar) {
        ao_informar(linha);
    }
}

}  // namespace qx7::simulador
