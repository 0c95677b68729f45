#include <limits>
#include <string>

#include "gauge/fields.h"
#include "gauge/medidor.h"
#include "link/codepage.h"
#include "link/frame.h"

namespace qx7 {

void Medidor::Resposta_Programada(std::string_view Msg_RX) {
    const int r = variaveis_.Num_Medicoes;
    // Records beyond the last row are counted but have nowhere to go.
    if (r >= 0 && r < Linhas_Medicoes) {
        auto& linha = variaveis_.Resultados_Medicoes[static_cast<std::size_t>(r)];
        linha[0] = Campo(Msg_RX, 10, 6);
        linha[1] = Campo(Msg_RX, 4, 6);
        linha[2] = Campo(Msg_RX, 16, 6);
        linha[3] = Campo(Msg_RX, 22, 3);
    }
    if (variaveis_.Num_Medicoes < std::numeric_limits<std::int16_t>::max()) {
        ++variaveis_.Num_Medicoes;
    }
    painel_.Definir_Texto(Controle::Inf_Erro, cp1252("Recebendo a medição No. ") +
                                                  std::to_string(variaveis_.Num_Medicoes));
    // Every record is kept for the history, also those beyond the table's last row, up to the
    // count Num_Medicoes can hold.
    if (serie_.registros.size() < std::numeric_limits<std::int16_t>::max()) {
        serie_.registros.push_back(
            {std::string(Campo(Msg_RX, 10, 6)), std::string(Campo(Msg_RX, 4, 6)),
             std::string(Campo(Msg_RX, 16, 6)), std::string(Campo(Msg_RX, 22, 3))});
    }
    if (Campo(Msg_RX, 25, 1) != std::string_view(&SOH, 1)) {
        if (historico_ != nullptr) {
            serie_.endereco = Endereco_Medidor_;
            serie_.data_solicitada = variaveis_.Data_Solicitada;
            historico_->Serie_Programada(serie_);
        }
        serie_.registros.clear();
        telas_.Abrir_Resultados();
        painel_.Definir_Texto(Controle::Inf_Erro, "");
    }
}

}  // namespace qx7
