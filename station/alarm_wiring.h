#pragma once
// The station's alarms: every decoded reading and clock answer is handed on to the history's
// capture at once and judged afterwards, from the event loop, so the frame's ACK never waits for
// the judgement; the gauge's silence is judged once a second. Each raise, clear and
// acknowledgement and each delivery becomes a unit of the history's writer (durable, retried as
// the readings are) and a line of the log, a warning for raises and clears. At the start the
// alarms still open in the history go on, and the last days' readings feed the forecast.

#include <QSettings>
#include <QString>
#include <QtGlobal>
#include <vector>

#include "gauge/alarms.h"
#include "gauge/history_sink.h"
#include "gauge/silence_watch.h"
#include "gauge/tank_watch.h"
#include "history/writer.h"
#include "link/log_sink.h"
#include "station/alarm_services.h"

namespace qx7 {

class Estacao;

// The line as the silence is judged: connected, a request waiting or the line unusable, and the
// count of what the gauge sent.
Estado_Silencio Estado_Silencio_Da(Estacao& estacao);

struct Ligacoes_Alarmes {
    Historico_Medidor& captura;  // gets every answer first
    Gravador_Historico& gravador;
    Registro& log;
    QSettings& preferencias;
    QString arquivo;  // the history read at the start
};

class Alarmes_Estacao : public Sinais_Alarmes, public Historico_Medidor {
    Q_OBJECT
  public:
    explicit Alarmes_Estacao(Ligacoes_Alarmes ligacoes, QObject* parent = nullptr);

    void Leitura(const Leitura_Recebida& leitura, bool do_inventario) override;
    void Inventario_Iniciado() override { ligacoes_.captura.Inventario_Iniciado(); }
    void Inventario_Concluido(const std::string& endereco, int num_tanques) override {
        ligacoes_.captura.Inventario_Concluido(endereco, num_tanques);
    }
    void Serie_Programada(const Serie_Programada_Recebida& serie) override {
        ligacoes_.captura.Serie_Programada(serie);
    }
    void Relogio(const Relogio_Recebido& relogio) override;

    // Once a second.
    void Segundo(const Estado_Silencio& estado);
    // [Alarmes] read again (the service's SIGHUP).
    void Reler_Preferencias();

    Servicos_Alarmes Servicos();
    const Config_Alarmes& Config() const { return avaliador_.Config(); }
    QString Definir_Config(const Config_Alarmes& config);
    bool Reconhecer(Tipo_Alarme tipo, int tanque);
    std::vector<Alarme> Ativos() const { return avaliador_.Ativos(); }

  private:
    void Carregar_Historico();
    void Avaliar(const Leitura_Valores& valores, bool peso);
    void Contar(const Mudanca_Alarme& mudanca);

    Ligacoes_Alarmes ligacoes_;
    Avaliador_Alarmes avaliador_;
    Vigia_Tanques vigia_{avaliador_};
    Vigia_Silencio silencio_;
};

}  // namespace qx7
