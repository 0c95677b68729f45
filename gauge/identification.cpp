#include <string>

#include "gauge/fields.h"
#include "gauge/medidor.h"
#include "link/digits.h"

namespace qx7 {

namespace {

// The tank count as the gauge sends it: digits, blanks allowed only around them. Anything
// else (blank, signed, not numeric) gives false.
bool Numero_Tanques(std::string_view texto, int& n) {
    const std::string_view digitos = Sem_Brancos(texto);
    if (!So_Digitos(digitos)) {
        return false;
    }
    int valor = 0;
    for (const char c : digitos) {
        valor = valor * 10 + (c - '0');
        if (valor > 16) {
            valor = 16;  // every button stays: no need to count further
        }
    }
    n = valor;
    return true;
}

}  // namespace

void Medidor::Resposta_Identificacao(std::string_view Msg_RX) {
    const std::string_view endereco = Campo(Msg_RX, 4, 3);
    painel_.Definir_Texto(Controle::ID_Endereco, endereco);
    painel_.Definir_Texto(Controle::ID_Versao, Campo(Msg_RX, 7, 2));
    sessao_.etapa = Sessao_Medidor::Etapa::Identificado;
    Mostrar_Conexao();
    if (endereco != Endereco_Medidor_) {
        return;
    }
    const std::string Msg_TX = "CF" + variaveis_.Senha_Usuario;
    painel_.Definir_Texto(Controle::Comando_QX7, Msg_TX);
    enlace_.Armazena_Mensagem_TX(Msg_TX);
}

void Medidor::Resposta_Configuracao(std::string_view Msg_RX) {
    const std::string_view tanques = Campo(Msg_RX, 4, 2);
    painel_.Definir_Texto(Controle::CF_NumTanques, tanques);
    painel_.Definir_Texto(Controle::CF_NumOFE, Campo(Msg_RX, 6, 6));
    painel_.Definir_Texto(Controle::CF_TipoMedidor,
                          Campo(Msg_RX, 12, 1) == "1" ? "Posto" : "Industrial");
    for (const Controle quadro :
         {Controle::Frame3, Controle::Frame5, Controle::Frame6, Controle::Frame8}) {
        painel_.Habilitar(quadro, true);
    }
    int n = 0;
    if (Numero_Tanques(tanques, n)) {
        for (int k = n; k <= 15; ++k) {
            painel_.Habilitar_Tanque(k, false);
        }
    }
    painel_.Habilitar(Controle::Configuracao, true);
    painel_.Habilitar(Controle::Abrir_Conexao, false);
    painel_.Habilitar(Controle::Fechar_Conexao, true);
    painel_.Habilitar(Controle::Leitura_Tanques, true);
    sessao_.etapa = Sessao_Medidor::Etapa::Configurado;
    Mostrar_Conexao();
}

}  // namespace qx7
