#include "gauge/medidor.h"

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
    enlace_.Definir_Estado_Protocolo(1);
    enlace_.Armazena_Mensagem_TX("ID01");
}

void Medidor::Fechar_Conexao_Click() {
    enlace_.Definir_Estado_Protocolo(1);
    enlace_.Armazena_Mensagem_TX("ID02");
    for (const Controle caixa :
         {Controle::ID_Endereco, Controle::ID_Versao, Controle::CF_NumTanques, Controle::CF_NumOFE,
          Controle::CF_TipoMedidor}) {
        painel_.Definir_Texto(caixa, "");
    }
    Inicializar_Variaveis();
    painel_.Habilitar(Controle::Abrir_Conexao, true);
    painel_.Definir_Texto(Controle::Estado, "OFF-LINE");
}

}  // namespace qx7
