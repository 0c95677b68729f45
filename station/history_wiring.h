#pragma once
// The program's history: the writer over Historico.sqlite in the base directory (its daily
// copies in the Backup folder there), the capture the gauge logic hands its answers to, the
// link's counters flushed into the file, the watch that gives up a silent inventory run, the
// automatic reading with its interval kept in the base directory's preferences file, and the
// alarms judged on what the gauge answers.

#include <QObject>
#include <QSettings>
#include <QTimer>
#include <filesystem>

#include "gauge/automatic_reading.h"
#include "history/capture.h"
#include "history/writer.h"
#include "link/link_statistics.h"
#include "station/alarm_wiring.h"
#include "station/history_services.h"

namespace qx7 {

class Estacao;

inline constexpr const char* Arquivo_Historico = "Historico.sqlite";
inline constexpr const char* Arquivo_Preferencias = "Preferencias.ini";
inline constexpr const char* Pasta_Copias = "Backup";
inline constexpr int Intervalo_Contadores_ms = 60 * 1000;
// The history's one message for the operator, replaced by the next report, taken away when
// writing resumes.
inline constexpr const char* Chave_Mensagem = "Historico";

// The path of the file `nome` (Arquivo_Historico, Arquivo_Preferencias, Pasta_Copias) in the
// base directory.
QString Arquivo_No_Diretorio(const std::filesystem::path& base, const char* nome);

class Historico_Programa : public QObject {
  public:
    // `intervalo_padrao`: the automatic reading's minutes when the preferences set none.
    Historico_Programa(const std::filesystem::path& diretorio_base, Estacao& estacao,
                       int intervalo_padrao = 0);
    ~Historico_Programa() override;  // the counters flushed, the queue written

    Servicos_Historico Servicos();
    // Preferencias.ini read again (the service's SIGHUP): the automatic reading's interval and
    // the alarms' settings.
    void Reler_Preferencias();
    Gravador_Historico& Gravador() { return gravador_; }
    Alarmes_Estacao& Alarmes() { return alarmes_; }

  private:
    void Ler_Intervalo(int intervalo_padrao);
    void Avisar(const Aviso_Historico& aviso);
    void Segundo();
    void Gravar_Contadores();
    Estatisticas_Enlace Pendentes() const;
    bool Definir_Intervalo(int minutos);

    Estacao& estacao_;
    int intervalo_padrao_;
    QString arquivo_;
    QSettings preferencias_;
    Gravador_Historico gravador_;
    Captura_Historico captura_{gravador_};
    Alarmes_Estacao alarmes_;  // the gauge logic's sink: hands every answer to captura_ first
    Leitura_Automatica automatica_;
    Estatisticas_Enlace enfileiradas_{};  // the counters already handed to the writer
    QTimer segundo_{this};
    QTimer contadores_{this};
};

}  // namespace qx7
