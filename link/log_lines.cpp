#include "link/log_lines.h"

#include "link/codepage.h"

namespace qx7 {

std::string Com_Zeros(std::size_t numero, std::size_t largura) {
    std::string digitos = std::to_string(numero);
    if (digitos.size() < largura) {
        digitos.insert(0, largura - digitos.size(), '0');
    }
    return digitos;
}

std::string Linha_Fila(std::string_view lado, int indice, std::string_view texto) {
    std::string linha = "#Msg.=";
    linha += Com_Zeros(static_cast<std::size_t>(indice), 4);
    linha += " Tam.Msg.";
    linha += lado;
    linha += "= ";
    linha += Com_Zeros(texto.size(), 3);
    linha += " Msg.";
    linha += lado;
    linha += "= ";
    linha += texto;
    return linha;
}

std::string Linha_Transmissao(std::string_view bytes) {
    std::string linha = "Tam.Msg.TX= ";
    linha += Com_Zeros(bytes.size(), 3);
    linha += " Msg.TX= ";
    linha += bytes;
    return linha;
}

std::string Linha_Evento(std::string_view texto) {
    std::string linha = "Evento : ";
    linha += texto;
    return linha;
}

std::string Linha_Nao_Transmitida() {
    return cp1252("Status: Mensagem não transmitida, porta serial fechada!");
}

}  // namespace qx7
