#pragma once
// The station's publishing to the head office: [Publicacao] of Preferencias.ini read and
// checked, the publisher started over the history file (or live, over the readings, when the
// station keeps no history), the link's counters handed to it every minute, its log lines
// written to the station's log, and the settings read again on request (the service's SIGHUP,
// the "Publicação" dialog).

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "gauge/history_sink.h"
#include "publish/publisher.h"
#include "station/publication_services.h"
#include "station/publication_settings.h"

namespace qx7 {

class Estacao;

inline constexpr int Intervalo_Enlace_ms = 60 * 1000;

class Publicacao_Programa : public QObject {
    Q_OBJECT

  public:
    // `arquivo_historico` empty: the readings are published live.
    Publicacao_Programa(Estacao& estacao, QString arquivo_preferencias, QString arquivo_historico,
                        Tempos_Publicacao tempos = {});
    ~Publicacao_Programa() override;  // "offline", the cursors written

    // [Publicacao] read again; the publisher restarted when it changed.
    void Reler();
    Estado_Publicacao Estado() const;
    Servicos_Publicacao Servicos();

  signals:
    void Estado_Mudou();

  private:
    // The gauge logic's readings, handed to the publisher without a history.
    class Leituras_Ao_Vivo : public Historico_Medidor {
      public:
        explicit Leituras_Ao_Vivo(Publicacao_Programa& dono) : dono_(dono) {}
        void Leitura(const Leitura_Recebida& leitura, bool do_inventario) override;
        void Inventario_Iniciado() override {}
        void Inventario_Concluido(const std::string&, int) override {}
        void Serie_Programada(const Serie_Programada_Recebida&) override {}
        void Relogio(const Relogio_Recebido&) override {}

      private:
        Publicacao_Programa& dono_;
    };

    void Aplicar(const Leitura_Publicacao& leitura);
    void Relatado(const Relato_Publicacao& relato);
    void Contadores();

    Estacao& estacao_;
    QString arquivo_preferencias_;
    QString arquivo_historico_;
    Tempos_Publicacao tempos_;
    std::optional<Configuracao_Mqtt> config_;  // the running publisher's
    Estado_Publicacao parada_;                 // the state while none runs
    std::unique_ptr<Publicador> publicador_;
    Leituras_Ao_Vivo ao_vivo_{*this};
    qint64 inicio_ms_;
    QTimer contadores_{this};
};

}  // namespace qx7
