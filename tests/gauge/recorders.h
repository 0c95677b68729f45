#pragma once
// Recording doubles for the link's transmit side and for the modal screens.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gauge/modal_screens.h"
#include "link/transmitter.h"

namespace qx7::teste {

class Transmissor_Gravador : public Transmissor {
  public:
    void Armazena_Mensagem_TX(std::string_view Msg_TX) override;
    void Definir_Estado_Protocolo(int estado) override;

    std::vector<std::string> mensagens;  // every request queued, in order
    std::vector<std::string> eventos;    // queued requests and state changes, in order
};

class Telas_Gravadoras : public Telas {
  public:
    void Abrir_Senha() override { Abrir("Senha", ao_abrir_senha); }
    bool Abrir_Data() override {
        Abrir("Data", ao_abrir_data);
        return data_confirmada;
    }
    void Abrir_Resultados() override { Abrir("Resultados", ao_abrir_resultados); }
    void Abrir_Inventario() override { Abrir("Inventario", ao_abrir_inventario); }
    void Aviso(std::string_view texto, std::string_view titulo) override;

    // Each runs while its screen is "open": it stands for what the operator does there.
    std::function<void()> ao_abrir_senha;
    std::function<void()> ao_abrir_data;
    std::function<void()> ao_abrir_resultados;
    std::function<void()> ao_abrir_inventario;
    bool data_confirmada = true;  // false: the date screen is closed without confirming

    std::vector<std::string> abertas;                         // every screen opened, in order
    std::vector<std::pair<std::string, std::string>> avisos;  // text and title

  private:
    void Abrir(const char* nome, const std::function<void()>& acao);
};

}  // namespace qx7::teste
