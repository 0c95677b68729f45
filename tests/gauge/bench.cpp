#include "tests/gauge/bench.h"

namespace qx7::teste {

std::string Resposta_Medicao(const Leitura& l) {
    return l.codigo + l.tanque + l.densidade + l.produto + l.capacidade + l.medido +
           l.complementar + l.hora + l.data + l.unidade + l.fim;
}

std::string Resposta_Programada(const std::string& hora, const std::string& data,
                                const std::string& volume, const std::string& tanque,
                                const std::string& marcador) {
    return "MP" + hora + data + volume + tanque + marcador;
}

}  // namespace qx7::teste
