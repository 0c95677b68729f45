#pragma once
// "Testar conexão": one connection to the broker with the given settings, closed at once,
// under a client identifier of its own so the station's running session is left alone.
// Blocks for up to `prazo`: call it off the window's thread.

#include <chrono>

#include "publish/mqtt_config.h"
#include "publish/mqtt_failure.h"

namespace qx7 {

inline constexpr std::chrono::milliseconds Prazo_Teste_Conexao{10'000};

// Nenhuma when the broker accepted the connection.
Falha_Mqtt Testar_Conexao(const Configuracao_Mqtt& config,
                          std::chrono::milliseconds prazo = Prazo_Teste_Conexao);

}  // namespace qx7
