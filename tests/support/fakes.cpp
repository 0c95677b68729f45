#include "tests/support/fakes.h"

namespace qx7::teste {

std::string Painel_Falso::Texto(Controle controle) const {
    const auto item = textos.find(controle);
    return item == textos.end() ? std::string() : item->second;
}

void Painel_Falso::Definir_Texto(Controle controle, std::string_view texto) {
    textos[controle] = std::string(texto);
}

void Painel_Falso::Habilitar(Controle controle, bool habilitado) {
    habilitados[controle] = habilitado;
}

void Painel_Falso::Habilitar_Tanque(int k, bool habilitado) {
    tanques.at(static_cast<std::size_t>(k)) = habilitado;
}

bool Painel_Falso::Tanque_Habilitado(int k) const {
    return tanques.at(static_cast<std::size_t>(k));
}

bool Painel_Falso::Habilitado(Controle controle) const {
    const auto item = habilitados.find(controle);
    return item == habilitados.end() || item->second;
}

void Plataforma_Falsa::Processar_Eventos() {
    ++rendimentos;
    if (ao_processar) {
        ao_processar();
    }
}

}  // namespace qx7::teste
