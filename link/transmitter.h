#pragma once
// The part of the link that request producers use: queue a request, reset the link state.

#include <string_view>

namespace qx7 {

class Transmissor {
  public:
    virtual ~Transmissor() = default;
    virtual void Armazena_Mensagem_TX(std::string_view Msg_TX) = 0;
    virtual void Definir_Estado_Protocolo(int estado) = 0;  // 1 idle, 2 awaiting ACK
};

}  // namespace qx7
