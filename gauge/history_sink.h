#pragma once
// Where the gauge logic hands every decoded answer to be kept. The texts are in the line's code
// page, each field as received (times and dates with the separators the panel shows); `quadro`
// is the whole frame. Implementations only take a copy: the frame's ACK waits for the call.

#include <string>
#include <vector>

namespace qx7 {

struct Leitura_Recebida {
    std::string endereco, comando;  // "MT", "LM" or "MA"
    std::string tanque, densidade, produto, capacidade, medido, complementar;
    std::string hora, data;
    bool peso = false;  // the values are weights, not volumes
    std::string quadro;
};

struct Registro_Programado_Recebido {
    std::string data, hora, volume, tanque;
};

struct Serie_Programada_Recebida {
    std::string endereco, data_solicitada;
    std::vector<Registro_Programado_Recebido> registros;
};

struct Relogio_Recebido {
    std::string endereco, hora, data, dia;  // HH:MM:SS, DD/MM/AA, day
    std::string quadro;
};

class Historico_Medidor {
  public:
    virtual ~Historico_Medidor() = default;
    virtual void Leitura(const Leitura_Recebida& leitura, bool do_inventario) = 0;
    // An inventory was asked for: the readings of the run follow.
    virtual void Inventario_Iniciado() = 0;
    // Its last tank was read: the run is complete.
    virtual void Inventario_Concluido(const std::string& endereco, int num_tanques) = 0;
    virtual void Serie_Programada(const Serie_Programada_Recebida& serie) = 0;
    virtual void Relogio(const Relogio_Recebido& relogio) = 0;
};

}  // namespace qx7
