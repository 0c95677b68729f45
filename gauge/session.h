#pragma once
// The gauge session as state: whether the operator has connected (from "Conectar" until
// "Desconectar"), how far the gauge has answered the connection cycle, and how the line stands.
// The status box shows Texto_Conexao(); nothing reads the session back from a text.

#include <string_view>

#include "link/line_state.h"

namespace qx7 {

enum class Conexao {
    Porta_Fechada,
    Medidor_Desligado,
    Desconectado,
    Identificado,  // the identification answer came; the configuration answer not yet
    Conectado,     // the configuration answer unlocked the commands
};

struct Sessao_Medidor {
    enum class Etapa { Nenhuma, Identificado, Configurado };

    bool operador_conectou = false;
    Etapa etapa = Etapa::Nenhuma;
    Situacao_Linha linha = Situacao_Linha::Pronta;

    Conexao Atual() const;
};

// "PORTA FECHADA", "QX7 DESLIGADO", "OFF-LINE" or "ON-LINE".
std::string_view Texto_Conexao(Conexao conexao);

}  // namespace qx7
