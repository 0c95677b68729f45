#include "link/comm_events.h"

#include <array>
#include <string_view>

#include "link/codepage.h"
#include "link/serial_port.h"

namespace qx7 {

namespace {

struct Evento_Texto {
    int codigo;
    std::string_view texto;  // UTF-8
};

constexpr std::array<Evento_Texto, 15> Textos{{
    {evento::Break, "Recebeu BREAK"},
    {evento::Timeout_CD, "Ocorreu timeout do CD"},
    {evento::Timeout_CTS, "Ocorreu timeout do CTS"},
    {evento::Timeout_DSR, "Ocorreu timeout do DSR"},
    {evento::Erro_Framing, "Ocorreu erro de Framing"},
    {evento::Overrun, "Ocorreu erro de Overrun"},
    {evento::Overflow_RX, "Ocorreu overflow no buffer de recepção"},
    {evento::Erro_Paridade, "Ocorreu erro de paridade"},
    {evento::Transmissao_Cheia, "Ocorreu buffer de transmissão cheio"},
    {evento::Erro_DCB, "Ocorreu erro no Port (DCB)"},
    {evento::Mudou_CD, "Ocorreu transição do CD"},
    {evento::Mudou_DSR, "Ocorreu transição do DSR"},
    {evento::Ring, "Ocorreu transição do Ring Indicator"},
    {evento::Transmissao_Livre, "Vai transmitir mensagem de tamanho definido"},
    {evento::Recebeu_EOF, "Recebeu caracter EOF"},
}};

}  // namespace

std::optional<std::string> Texto_Evento(int codigo) {
    for (const auto& item : Textos) {
        if (item.codigo == codigo) {
            return cp1252(item.texto);
        }
    }
    return std::nullopt;
}

std::string Texto_Mudanca_CTS(bool cts) {
    return cp1252("Ocorreu transição do CTS p/ ") + (cts ? "True" : "False");
}

}  // namespace qx7
