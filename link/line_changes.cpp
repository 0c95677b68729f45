#include "link/line_changes.h"

#include <array>
#include <variant>

#include "link/serial_port.h"

namespace qx7 {

namespace {

// Each sampled line or counter and the event its change raises.
struct Sinal {
    std::variant<bool Linhas_Modem::*, long Contadores_Erro::*> campo;
    int evento;
};

constexpr std::array<Sinal, 8> Sinais{{
    {&Linhas_Modem::cts, evento::Mudou_CTS},
    {&Linhas_Modem::dsr, evento::Mudou_DSR},
    {&Linhas_Modem::cd, evento::Mudou_CD},
    {&Linhas_Modem::ri, evento::Ring},
    {&Contadores_Erro::brk, evento::Break},
    {&Contadores_Erro::framing, evento::Erro_Framing},
    {&Contadores_Erro::overrun, evento::Overrun},
    {&Contadores_Erro::paridade, evento::Erro_Paridade},
}};

template <typename Amostra, typename Valor>
std::vector<int> Mudancas(const Amostra& antes, const Amostra& agora) {
    std::vector<int> eventos;
    for (const Sinal& sinal : Sinais) {
        const auto* campo = std::get_if<Valor Amostra::*>(&sinal.campo);
        if (campo != nullptr && antes.**campo != agora.**campo) {
            eventos.push_back(sinal.evento);
        }
    }
    return eventos;
}

}  // namespace

std::vector<int> Eventos_Linhas(const Linhas_Modem& antes, const Linhas_Modem& agora) {
    return Mudancas<Linhas_Modem, bool>(antes, agora);
}

std::vector<int> Eventos_Erros(const Contadores_Erro& antes, const Contadores_Erro& agora) {
    return Mudancas<Contadores_Erro, long>(antes, agora);
}

}  // namespace qx7
