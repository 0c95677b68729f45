#pragma once
// The gauge logic's history, kept: each decoded answer becomes a unit of the writer, stamped
// with the computer's time. Only copies are made here; the frame's ACK waits for this call.

#include <QtGlobal>
#include <functional>

#include "gauge/history_sink.h"
#include "history/writer.h"

namespace qx7 {

class Captura_Historico : public Historico_Medidor {
  public:
    using Relogio_ms = std::function<qint64()>;

    // `agora_ms` empty: the computer's clock.
    explicit Captura_Historico(Gravador_Historico& gravador, Relogio_ms agora_ms = {});

    void Leitura(const Leitura_Recebida& leitura, bool do_inventario) override;
    void Inventario_Iniciado() override;
    void Inventario_Concluido(const std::string& endereco, int num_tanques) override;
    void Serie_Programada(const Serie_Programada_Recebida& serie) override;
    void Relogio(const Relogio_Recebido& relogio) override;

  private:
    Gravador_Historico& gravador_;
    Relogio_ms agora_ms_;
};

}  // namespace qx7
