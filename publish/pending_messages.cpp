#include "publish/pending_messages.h"

#include <algorithm>

namespace qx7 {

void Mensagens_Retidas::Definir(const QByteArray& topico, const QByteArray& conteudo) {
    Vaga& vaga = vagas_[topico];
    vaga.conteudo = conteudo;
    vaga.aguardando = true;
}

std::optional<Mensagem_Mqtt> Mensagens_Retidas::Tomar() {
    // One topic at a time: a content is not sent while the previous one is out, so the broker
    // cannot keep an older one after a newer.
    for (auto& [topico, vaga] : vagas_) {
        if (vaga.aguardando && !vaga.em_voo) {
            vaga.aguardando = false;
            vaga.em_voo = true;
            return Mensagem_Mqtt{.topico = topico, .conteudo = vaga.conteudo, .retida = true};
        }
    }
    return std::nullopt;
}

void Mensagens_Retidas::Confirmada(const QByteArray& topico) {
    if (const auto vaga = vagas_.find(topico); vaga != vagas_.end()) {
        vaga->second.em_voo = false;
    }
}

void Mensagens_Retidas::Esquecer() {
    for (auto& [topico, vaga] : vagas_) {
        vaga.aguardando = vaga.aguardando || vaga.em_voo;
        vaga.em_voo = false;
    }
}

std::size_t Mensagens_Retidas::Aguardando() const {
    return static_cast<std::size_t>(std::count_if(vagas_.begin(), vagas_.end(), [](const auto& v) {
        return v.second.aguardando || v.second.em_voo;
    }));
}

void Fila_Ao_Vivo::Enfileirar(Mensagem_Mqtt mensagem) {
    if (capacidade_ == 0) {
        ++descartadas_;
        return;
    }
    if (fila_.size() >= capacidade_) {
        fila_.pop_front();
        ++descartadas_;
    }
    fila_.push_back({.sequencia = proxima_++, .mensagem = std::move(mensagem), .enviada = false});
}

std::optional<std::pair<std::uint64_t, Mensagem_Mqtt>> Fila_Ao_Vivo::Tomar() {
    const auto item =
        std::find_if(fila_.begin(), fila_.end(), [](const Item& i) { return !i.enviada; });
    if (item == fila_.end()) {
        return std::nullopt;
    }
    item->enviada = true;
    return std::pair{item->sequencia, item->mensagem};
}

void Fila_Ao_Vivo::Confirmada(std::uint64_t sequencia) {
    const auto item = std::find_if(fila_.begin(), fila_.end(),
                                   [sequencia](const Item& i) { return i.sequencia == sequencia; });
    if (item != fila_.end()) {
        fila_.erase(item);
    }
}

void Fila_Ao_Vivo::Esquecer() {
    for (Item& item : fila_) {
        item.enviada = false;
    }
}

}  // namespace qx7
