#include "gauge/medidor.h"

#include <utility>

namespace qx7 {

void Medidor::Inicializar_Variaveis() {
    for (const Controle quadro :
         {Controle::Frame3, Controle::Frame5, Controle::Frame6, Controle::Frame8}) {
        painel_.Habilitar(quadro, false);
    }
    painel_.Habilitar(Controle::Configuracao, true);
    painel_.Habilitar(Controle::Fechar_Conexao, false);
    painel_.Habilitar(Controle::Leitura_Tanques, false);
    for (int k = 0; k < 16; ++k) {
        painel_.Habilitar_Tanque(k, true);
    }
}

void Medidor::Abrir_Conexao_Click() {
    telas_.Abrir_Senha();
    sessao_.operador_conectou = true;
    enlace_.Definir_Estado_Protocolo(1);
    enlace_.Armazena_Mensagem_TX("ID01");
}

void Medidor::Fechar_Conexao_Click() {
    sessao_.operador_conectou = false;
    sessao_.etapa = Sessao_Medidor::Etapa::Nenhuma;
    enlace_.Definir_Estado_Protocolo(1);
    enlace_.Armazena_Mensagem_TX("ID02");
    for (const Controle caixa :
         {Controle::ID_Endereco, Controle::ID_Versao, Controle::CF_NumTanques, Controle::CF_NumOFE,
          Controle::CF_TipoMedidor}) {
        painel_.Definir_Texto(caixa, "");
    }
    Inicializar_Variaveis();
    painel_.Habilitar(Controle::Abrir_Conexao, true);
    Mostrar_Conexao();
}

// The controls keep their state while the line is down; the session is made again when it is
// back, so the commands come to life only after the gauge has accepted the password anew.
void Medidor::Linha_Mudou(Situacao_Linha linha) {
    const bool voltou = sessao_.linha != Situacao_Linha::Pronta && linha == Situacao_Linha::Pronta;
    sessao_.linha = linha;
    if (linha != Situacao_Linha::Pronta) {
        sessao_.etapa = Sessao_Medidor::Etapa::Nenhuma;
    }
    Mostrar_Conexao();
    if (voltou && sessao_.operador_conectou) {
        enlace_.Armazena_Mensagem_TX("ID01");
    }
}

void Medidor::Mostrar_Conexao() {
    const Conexao atual = sessao_.Atual();
    painel_.Definir_Texto(Controle::Estado, Texto_Conexao(atual));
    if (std::exchange(mostrada_, atual) != atual && Conexao_Mudou) {
        Conexao_Mudou(atual);
    }
}

}  // namespace qx7
