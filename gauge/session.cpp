#include "gauge/session.h"

namespace qx7 {

Conexao Sessao_Medidor::Atual() const {
    switch (linha) {
        case Situacao_Linha::Porta_Fechada:
            return Conexao::Porta_Fechada;
        case Situacao_Linha::Medidor_Desligado:
            return Conexao::Medidor_Desligado;
        case Situacao_Linha::Pronta:
            break;
    }
    switch (etapa) {
        case Etapa::Configurado:
            return Conexao::Conectado;
        case Etapa::Identificado:
            return Conexao::Identificado;
        case Etapa::Nenhuma:
            break;
    }
    return Conexao::Desconectado;
}

std::string_view Texto_Conexao(Conexao conexao) {
    switch (conexao) {
        case Conexao::Porta_Fechada:
            return "PORTA FECHADA";
        case Conexao::Medidor_Desligado:
            return "QX7 DESLIGADO";
        case Conexao::Desconectado:
            return "OFF-LINE";
        case Conexao::Identificado:
        case Conexao::Conectado:
            return "ON-LINE";
    }
    return "OFF-LINE";
}

}  // namespace qx7
