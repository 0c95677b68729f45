#include <string>

#include "gauge/fields.h"
#include "gauge/medidor.h"

namespace qx7 {

void Medidor::Resposta_Relogio(std::string_view Msg_RX) {
    Relogio_Recebido relogio{Endereco_Medidor_, Em_Pares(Campo(Msg_RX, 4, 6), ':'),
                             Em_Pares(Campo(Msg_RX, 10, 6), '/'), std::string(Campo(Msg_RX, 16, 2)),
                             std::string(Msg_RX)};
    painel_.Definir_Texto(Controle::LR_Hora, relogio.hora);
    painel_.Definir_Texto(Controle::LR_Data, relogio.data);
    painel_.Definir_Texto(Controle::LR_Dia, relogio.dia);
    if (historico_ != nullptr) {
        historico_->Relogio(relogio);
    }
}

}  // namespace qx7
