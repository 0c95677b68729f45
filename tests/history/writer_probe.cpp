#include "tests/history/writer_probe.h"

#include <chrono>
#include <string>
#include <thread>

namespace qx7::teste {

Unidade_Historico Leitura_Tanque(int t, qint64 instante_ms, bool do_inventario) {
    Leitura_Recebida l{"A01",      "MA",     " 0" + std::to_string(t),
                       "0745",     "GC",     "030000",
                       "001000",   "029000", "10:00:00",
                       "08/12/26", false,    std::string(60, 'x')};
    return Unidade_Leitura{instante_ms, l, do_inventario};
}

std::function<void(const Aviso_Historico&)> Avisos::Receber() {
    return [this](const Aviso_Historico& a) {
        std::lock_guard trava(mutex_);
        lista_.push_back(a);
    };
}

std::vector<Aviso_Historico> Avisos::Lista() const {
    std::lock_guard trava(mutex_);
    return lista_;
}

std::vector<Aviso_Historico> Avisos::Do_Tipo(Aviso_Historico::Tipo tipo) const {
    std::vector<Aviso_Historico> deste;
    for (const Aviso_Historico& a : Lista()) {
        if (a.tipo == tipo) {
            deste.push_back(a);
        }
    }
    return deste;
}

bool Esperar(const std::function<bool()>& condicao, int ms) {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!condicao()) {
        if (std::chrono::steady_clock::now() > limite) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace qx7::teste
