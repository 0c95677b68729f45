#include "tools/simulador/answers.h"

#include <algorithm>
#include <cstdio>

#include "link/frame.h"

namespace qx7::simulador {

namespace {

// Zero-padded decimal digits; a value that does not fit keeps its lowest digits, so every
// field keeps its width and the positions after it stay put.
std::string Digitos(long valor, int largura) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%0*ld", largura, std::max(valor, 0L));
    const std::string todos = texto;
    return todos.substr(todos.size() - static_cast<std::size_t>(largura));
}

// Exactly `largura` characters: cut, or padded with blanks on the right.
std::string Largura(std::string_view texto, std::size_t largura) {
    std::string campo(texto.substr(0, largura));
    campo.resize(largura, ' ');
    return campo;
}

}  // namespace

std::string Campo_Tanque(int t) {
    // Appended rather than `" " + ...`: GCC 12 reports a false -Wrestrict inside that
    // operator+ when optimising.
    std::string campo(1, ' ');
    campo += Digitos(t, 2);
    return campo;
}

std::string Resposta_Identificacao(const Config_Medidor& config) {
    return "ID" + Largura(config.endereco, 3) + Largura(config.versao, 2);
}

std::string Resposta_Configuracao(const Config_Medidor& config) {
    return "CF" + Digitos(config.numero_tanques, 2) + Largura(config.ofe, 6) +
           (config.posto ? "1" : "0");
}

std::string Resposta_Medicao(std::string_view codigo, const Tanque_Config& tanque,
                             const Leitura& leitura, bool ultima) {
    std::string texto(codigo);
    texto += Campo_Tanque(leitura.tanque);
    texto += Digitos(tanque.densidade, 4);
    texto += Largura(tanque.produto, 2);
    texto += Digitos(tanque.capacidade, 6);
    texto += Digitos(leitura.medido, 6);
    texto += Digitos(leitura.complementar, 6);
    texto += Texto_Hora(leitura.quando);
    texto += Texto_Data(leitura.quando);
    texto += tanque.peso ? 'P' : 'V';
    texto += ultima ? CR : ' ';
    return texto;
}

std::string Resposta_Relogio(std::string_view codigo, Hora_Civil agora) {
    return std::string(codigo) + Texto_Hora(agora) + Texto_Data(agora) + Texto_Dia(agora);
}

std::string Resposta_Programada(const Registro_Programado& registro, bool seguem_mais) {
    std::string texto = "MP" + Largura(registro.hora, 6) + Largura(registro.data, 6) +
                        Digitos(registro.volume, 6) + Campo_Tanque(registro.tanque);
    if (seguem_mais) {
        texto += SOH;
    }
    return texto;
}

std::string Resposta_Erro(std::string_view codigo, std::string_view motivo) {
    return std::string(codigo) + "E" + std::string(motivo);
}

}  // namespace qx7::simulador
