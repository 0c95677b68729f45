#pragma once
// What the gauge answers to each request: the payloads of its answer frames, in the order
// they are sent. An empty list means the request is acknowledged and nothing follows.

#include <string>
#include <string_view>
#include <vector>

#include "tools/simulador/gauge_model.h"

namespace qx7::simulador {

std::vector<std::string> Responder(Modelo_Medidor& modelo, std::string_view pedido, Instante agora);

}  // namespace qx7::simulador
