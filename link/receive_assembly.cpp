#include "link/receive_assembly.h"

#include "link/frame.h"

namespace qx7 {

namespace {

std::string Concluir(Montagem_RX& estado) {
    std::string unidade = std::move(estado.Buffer_RX);
    estado = Montagem_RX{};
    return unidade;
}

}  // namespace

Passo_RX Montar(Montagem_RX& estado, std::string_view Caracter_RX) {
    Passo_RX passo;
    if (Caracter_RX.empty()) {
        return passo;
    }
    const char c = Caracter_RX.front();
    if (estado.Recebendo_Msg) {
        if (estado.Recebeu_ETX) {
            estado.Buffer_RX += c;  // the check character, whatever its code
            passo.unidade = Concluir(estado);
            return passo;
        }
        if (c == ETX) {
            estado.Recebeu_ETX = true;
        }
        estado.Buffer_RX += c;
        if (!estado.Recebeu_ETX && estado.Buffer_RX.size() > Tamanho_Maximo_Unidade) {
            // Resynchronise at the next STX rather than keep growing.
            Concluir(estado);
            passo.descartada = true;
        }
        return passo;
    }
    if (c == STX) {
        estado.Buffer_RX.assign(1, c);
        estado.Recebendo_Msg = true;
    } else if (c == ACK || c == NAK) {
        passo.unidade = std::string(1, c);
    }
    return passo;
}

}  // namespace qx7
