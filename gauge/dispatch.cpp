#include <exception>
#include <string>

#include "gauge/fields.h"
#include "gauge/medidor.h"
#include "link/codepage.h"

namespace qx7 {

void Medidor::Processar_Mensagem_Recebida(const std::string& Msg_RX) {
    // The frame is acknowledged whatever happens here, so nothing may escape to the link.
    try {
        Decodificar(Msg_RX);
    } catch (const std::exception&) {
        // The answer is dropped; the panel keeps what it showed before it.
    }
}

void Medidor::Decodificar(std::string_view Msg_RX) {
    if (Campo(Msg_RX, 4, 1) == "E") {
        Resposta_Erro(Msg_RX);
        return;
    }
    const std::string_view codigo = Campo(Msg_RX, 2, 2);
    if (codigo == "MT" || codigo == "LM" || codigo == "MA") {
        Resposta_Medicao(Msg_RX);
    } else if (codigo == "LR" || codigo == "AR") {
        Resposta_Relogio(Msg_RX);
    } else if (codigo == "MP") {
        Resposta_Programada(Msg_RX);
    } else if (codigo == "CF") {
        Resposta_Configuracao(Msg_RX);
    } else if (codigo == "ID") {
        Resposta_Identificacao(Msg_RX);
    }
}

void Medidor::Resposta_Erro(std::string_view Msg_RX) {
    struct Motivo {
        std::string_view codigo;
        const char* texto;
    };
    static constexpr Motivo motivos[] = {
        {"TI", "Número do tanque inválido !"},
        {"NH", "Tanque não habilitado !"},
        {"SL", "Não há medições para a data !"},
    };
    const std::string_view motivo = Campo(Msg_RX, 5, 2);
    for (const Motivo& m : motivos) {
        if (motivo == m.codigo) {
            painel_.Definir_Texto(Controle::Inf_Erro, cp1252(m.texto));
        }
    }
}

}  // namespace qx7
