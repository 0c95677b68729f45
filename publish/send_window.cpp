#include "publish/send_window.h"

namespace qx7 {

void Janela_Envio::Enviada(int id, Origem_Mensagem origem) {
    if (origem.tipo == Origem_Mensagem::Tipo::Linha) {
        linhas_[Indice(origem.fluxo)].emplace(origem.numero, false);
    }
    em_voo_.insert_or_assign(id, std::move(origem));
}

std::optional<Origem_Mensagem> Janela_Envio::Confirmada(int id) {
    const auto achada = em_voo_.find(id);
    if (achada == em_voo_.end()) {
        return std::nullopt;
    }
    Origem_Mensagem origem = std::move(achada->second);
    em_voo_.erase(achada);
    if (origem.tipo == Origem_Mensagem::Tipo::Linha) {
        const std::size_t f = Indice(origem.fluxo);
        std::map<qint64, bool>& linhas = linhas_[f];
        if (const auto linha = linhas.find(origem.numero); linha != linhas.end()) {
            linha->second = true;
        }
        while (!linhas.empty() && linhas.begin()->second) {
            cursores_[f] = linhas.begin()->first;
            linhas.erase(linhas.begin());
        }
    }
    return origem;
}

void Janela_Envio::Esquecer() {
    em_voo_.clear();
    for (std::map<qint64, bool>& linhas : linhas_) {
        linhas.clear();
    }
}

}  // namespace qx7
