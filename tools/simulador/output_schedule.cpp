#include "tools/simulador/output_schedule.h"

#include <string>

namespace qx7::simulador {

namespace {

constexpr long long Bytes_Por_Segundo = 960;  // 9600 baud, 10 bits a character

}  // namespace

Agenda_Saida::Agenda_Saida(const Falhas& falhas) : um_por_escrita_(falhas.fragmentar.has_value()) {
    if (falhas.ritmo_linha) {
        numerador_ = 1'000'000;
        denominador_ = Bytes_Por_Segundo;
    }
    if (falhas.fragmentar) {
        const long long lacuna = std::chrono::microseconds(*falhas.fragmentar).count();
        // The slower of the two spacings wins.
        if (lacuna * denominador_ > numerador_) {
            numerador_ = lacuna;
            denominador_ = 1;
        }
    }
}

Instante Agenda_Saida::Momento(long long k) const {
    return inicio_cadeia_ + Instante(k * numerador_ / denominador_);
}

Instante Agenda_Saida::Agendar(std::string_view bytes, Instante agora) {
    if (Momento(bytes_cadeia_) <= agora && fila_.empty()) {
        // The line has been quiet: a new chain starts now.
        inicio_cadeia_ = agora;
        bytes_cadeia_ = 0;
    }
    Instante ultimo = agora;
    for (const char c : bytes) {
        ultimo = Momento(bytes_cadeia_++);
        fila_.push_back({ultimo, c});
    }
    return ultimo;
}

void Agenda_Saida::Liberar(Instante agora, Linha& linha) {
    std::string devidos;
    while (!fila_.empty() && fila_.front().quando <= agora) {
        devidos += fila_.front().valor;
        fila_.pop_front();
    }
    if (devidos.empty()) {
        return;
    }
    if (!um_por_escrita_) {
        linha.Escrever(devidos);
        return;
    }
    for (const char c : devidos) {
        linha.Escrever(std::string_view(&c, 1));
    }
}

std::optional<Instante> Agenda_Saida::Proximo() const {
    if (fila_.empty()) {
        return std::nullopt;
    }
    return fila_.front().quando;
}

}  // namespace qx7::simulador
