#include "link/message_queue.h"

#include <cstddef>
#include <utility>

namespace qx7 {

std::optional<int> Fila_Mensagens::Armazenar(std::string texto) {
    if (Cheia()) {
        return std::nullopt;
    }
    slots_[static_cast<std::size_t>(indice_grava_)] = std::move(texto);
    indice_grava_ = Seguinte(indice_grava_);
    return indice_grava_;
}

std::string Fila_Mensagens::Apanhar() {
    if (Vazia()) {
        return {};
    }
    std::string texto = slots_[static_cast<std::size_t>(indice_le_)];
    indice_le_ = Seguinte(indice_le_);
    return texto;
}

}  // namespace qx7
