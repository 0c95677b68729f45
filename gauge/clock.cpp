#include "gauge/fields.h"
#include "gauge/medidor.h"

namespace qx7 {

void Medidor::Resposta_Relogio(std::string_view Msg_RX) {
    painel_.Definir_Texto(Controle::LR_Hora, Em_Pares(Campo(Msg_RX, 4, 6), ':'));
    painel_.Definir_Texto(Controle::LR_Data, Em_Pares(Campo(Msg_RX, 10, 6), '/'));
    painel_.Definir_Texto(Controle::LR_Dia, Campo(Msg_RX, 16, 2));
}

}  // namespace qx7
