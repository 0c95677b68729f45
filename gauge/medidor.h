#pragma once
// The gauge logic of the main panel: connection buttons, command buttons and the decoding of
// every answer. The panel forwards its clicks here; the link calls Processar_Mensagem_Recebida
// for every good frame received while idle.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gauge/history_sink.h"
#include "gauge/inventory_watch.h"
#include "gauge/modal_screens.h"
#include "gauge/session.h"
#include "gauge/shared_tables.h"
#include "link/panel.h"
#include "link/platform.h"
#include "link/transmitter.h"

namespace qx7 {

// An inventory run given up after a silence: the last tank it heard of (empty: none) and the
// gauge's tank count, both as the panel shows them.
struct Inventario_Interrompido {
    std::string ultimo_tanque;
    std::string num_tanques;
};

class Medidor {
  public:
    Medidor(Variaveis_Programa& variaveis, Painel& painel, Telas& telas, Transmissor& enlace,
            Plataforma& plataforma);

    // Connection control.
    void Inicializar_Variaveis();
    void Abrir_Conexao_Click();
    void Fechar_Conexao_Click();

    // The line changed (the link's Linha_Mudou). Back to usable while the operator is
    // connected, the connection cycle is repeated by itself: "ID01", then "CF" + the password.
    void Linha_Mudou(Situacao_Linha linha);
    Conexao Estado_Conexao() const { return sessao_.Atual(); }
    // From "Conectar" until "Desconectar", whatever the line does meanwhile.
    bool Operador_Conectou() const { return sessao_.operador_conectou; }
    // Called when Estado_Conexao() changes.
    std::function<void(Conexao)> Conexao_Mudou;

    // Commands.
    void TQ_Ativo_Click(int k);
    void LR_Cmd_Click();
    void LM_Cmd_Click();
    void MT_Cmd_Click();
    void MA_Cmd_Click();
    void IV_Cmd_Click();
    void Medicao_Programada_Click();
    void Transmitir_Click();
    void Leitura_Tanques_Click();

    // Answers: the whole frame as received, STX first, ETX and BCC last.
    void Processar_Mensagem_Recebida(const std::string& Msg_RX);

    const std::string& Tanque_Selecionado() const { return Tanque_Selecionado_; }
    const std::string& Endereco_Medidor() const { return Endereco_Medidor_; }

    // Every decoded reading, inventory, series and clock answer goes there too; null: none.
    void Definir_Historico(Historico_Medidor* historico) { historico_ = historico; }

    // Ticked about once a second: an inventory run silent for a minute is given up, so no
    // later answer completes it and its readings stay plain readings.
    std::optional<Inventario_Interrompido> Vigiar_Inventario(std::int64_t agora_ms);
    bool Inventario_Em_Curso() const { return variaveis_.Modo_Inventario; }

  private:
    // Writes the command text into Comando_QX7, then runs the send action.
    void Enviar_Comando(std::string_view comando);
    // The status box shows the session; Conexao_Mudou hears of a change.
    void Mostrar_Conexao();

    void Decodificar(std::string_view Msg_RX);
    void Resposta_Erro(std::string_view Msg_RX);
    void Resposta_Identificacao(std::string_view Msg_RX);
    void Resposta_Configuracao(std::string_view Msg_RX);
    void Resposta_Medicao(std::string_view Msg_RX);
    void Mostrar_Percentual(std::string_view medido, std::string_view complementar);
    void Resposta_Relogio(std::string_view Msg_RX);
    void Resposta_Programada(std::string_view Msg_RX);

    Variaveis_Programa& variaveis_;
    Painel& painel_;
    Telas& telas_;
    Transmissor& enlace_;
    Plataforma& plataforma_;
    std::string Tanque_Selecionado_;
    std::string Endereco_Medidor_ = "A01";
    Historico_Medidor* historico_ = nullptr;
    Serie_Programada_Recebida serie_;  // the records of the series being received
    Sessao_Medidor sessao_;
    Conexao mostrada_ = Conexao::Desconectado;
    Vigia_Inventario vigia_inventario_;
    std::string ultimo_tanque_inventario_;  // of the run under way, blanks removed
};

}  // namespace qx7
