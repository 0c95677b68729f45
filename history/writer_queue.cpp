#include "history/writer_queue.h"

#include <algorithm>

#include "history/store.h"

namespace qx7 {

namespace {

std::uint64_t Registros(const Unidade_Historico& unidade) {
    return Armazem_Historico::Registro_Do_Operador(unidade) ? 1 : 0;
}

}  // namespace

// Room for the unit being written and at least one waiting.
Fila_Gravacao::Fila_Gravacao(std::size_t capacidade)
    : capacidade_(std::max<std::size_t>(capacidade, 2)) {}

std::uint64_t Fila_Gravacao::Acrescentar(Unidade_Historico unidade) {
    std::uint64_t perdidos = 0;
    if (unidades_.size() + (em_gravacao_ ? 1 : 0) >= capacidade_) {
        perdidos = Registros(unidades_.front());
        unidades_.pop_front();
    }
    unidades_.push_back(std::move(unidade));
    return perdidos;
}

Unidade_Historico Fila_Gravacao::Retirar() {
    Unidade_Historico unidade = std::move(unidades_.front());
    unidades_.pop_front();
    em_gravacao_ = true;
    return unidade;
}

void Fila_Gravacao::Devolver(Unidade_Historico unidade) {
    unidades_.push_front(std::move(unidade));
    em_gravacao_ = false;
}

std::uint64_t Fila_Gravacao::Descartar() {
    std::uint64_t perdidos = 0;
    for (const Unidade_Historico& unidade : unidades_) {
        perdidos += Registros(unidade);
    }
    unidades_.clear();
    return perdidos;
}

}  // namespace qx7
