#include "tests/gauge/recorders.h"

namespace qx7::teste {

void Transmissor_Gravador::Armazena_Mensagem_TX(std::string_view Msg_TX) {
    mensagens.emplace_back(Msg_TX);
    eventos.push_back("TX " + std::string(Msg_TX));
}

void Transmissor_Gravador::Definir_Estado_Protocolo(int estado) {
    eventos.push_back("estado " + std::to_string(estado));
}

void Telas_Gravadoras::Aviso(std::string_view texto, std::string_view titulo) {
    abertas.emplace_back("Aviso");
    avisos.emplace_back(texto, titulo);
}

void Telas_Gravadoras::Abrir(const char* nome, const std::function<void()>& acao) {
    abertas.emplace_back(nome);
    if (acao) {
        acao();
    }
}

}  // namespace qx7::teste
