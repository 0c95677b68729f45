#include "history/capture.h"

#include <QDateTime>

namespace qx7 {

Captura_Historico::Captura_Historico(Gravador_Historico& gravador, Relogio_ms agora_ms)
    : gravador_(gravador), agora_ms_(agora_ms ? std::move(agora_ms) : [] {
          return QDateTime::currentMSecsSinceEpoch();
      }) {}

void Captura_Historico::Leitura(const Leitura_Recebida& leitura, bool do_inventario) {
    gravador_.Enfileirar(Unidade_Leitura{agora_ms_(), leitura, do_inventario});
}

void Captura_Historico::Inventario_Iniciado() {
    gravador_.Enfileirar(Unidade_Inicio_Inventario{});
}

void Captura_Historico::Inventario_Concluido(const std::string& endereco, int num_tanques) {
    gravador_.Enfileirar(Unidade_Fim_Inventario{agora_ms_(), endereco, num_tanques});
}

void Captura_Historico::Serie_Programada(const Serie_Programada_Recebida& serie) {
    gravador_.Enfileirar(Unidade_Serie{agora_ms_(), serie});
}

void Captura_Historico::Relogio(const Relogio_Recebido& relogio) {
    gravador_.Enfileirar(Unidade_Relogio{agora_ms_(), relogio});
}

}  // namespace qx7
