#include <string>

#include "gauge/fields.h"
#include "gauge/medidor.h"
#include "gauge/upper_case.h"

namespace qx7 {

void Medidor::TQ_Ativo_Click(int k) {
    if (k < 0 || k > 15) {
        return;
    }
    const int tanque = k + 1;
    Tanque_Selecionado_ = {static_cast<char>('0' + tanque / 10),
                           static_cast<char>('0' + tanque % 10)};
}

void Medidor::Transmitir_Click() {
    const std::string comando = painel_.Texto(Controle::Comando_QX7);
    if (comando.empty()) {
        return;
    }
    enlace_.Definir_Estado_Protocolo(1);
    const std::string Msg_TX = Maiusculas(comando);
    painel_.Definir_Texto(Controle::Comando_QX7, Msg_TX);
    painel_.Definir_Texto(Controle::Inf_Erro, "");
    enlace_.Armazena_Mensagem_TX(Msg_TX);
}

void Medidor::Enviar_Comando(std::string_view comando) {
    painel_.Definir_Texto(Controle::Comando_QX7, comando);
    Transmitir_Click();
}

void Medidor::LR_Cmd_Click() {
    Enviar_Comando("LR");
}

void Medidor::LM_Cmd_Click() {
    Enviar_Comando("LM" + Tanque_Selecionado_);
}

void Medidor::MT_Cmd_Click() {
    Enviar_Comando("MT" + Tanque_Selecionado_);
}

void Medidor::MA_Cmd_Click() {
    Enviar_Comando("MA");
}

void Medidor::IV_Cmd_Click() {
    painel_.Definir_Texto(Controle::Comando_QX7, "MA");
    variaveis_.Modo_Inventario = true;
    vigia_inventario_.Sinal_De_Vida();
    ultimo_tanque_inventario_.clear();
    if (historico_ != nullptr) {
        historico_->Inventario_Iniciado();
    }
    Transmitir_Click();
}

void Medidor::Medicao_Programada_Click() {
    // Closing the date screen without confirming cancels: nothing is checked or sent.
    if (!telas_.Abrir_Data()) {
        return;
    }
    const std::string& data = variaveis_.Data_Solicitada;
    if (Sem_Brancos(data).size() != 6) {
        telas_.Aviso("Digitar data no formato DDMMAA!", "Aviso");
        return;
    }
    variaveis_.Num_Medicoes = 0;
    serie_.registros.clear();
    Enviar_Comando("MP" + data);
}

void Medidor::Leitura_Tanques_Click() {
    telas_.Abrir_Inventario();
}

}  // namespace qx7
