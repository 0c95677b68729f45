#include "publish/connection_test.h"

#include "publish/mqtt_client.h"

namespace qx7 {

Falha_Mqtt Testar_Conexao(const Configuracao_Mqtt& config, std::chrono::milliseconds prazo) {
    Cliente_Mqtt cliente({.config = config,
                          .identificador = config.Identificador() + QStringLiteral("-teste"),
                          .em_voo = 0,
                          .confirmada = {}});
    const Falha_Mqtt falha = cliente.Conectar(prazo, {}, std::nullopt);
    cliente.Desconectar();
    return falha;
}

}  // namespace qx7
