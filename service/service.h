#pragma once
// comunicacao-qx7 --servico: the station with no window. It connects by itself with the
// password of Preferencias.ini, reads at the automatic-reading interval into the history,
// waits for an absent adapter and reconnects after replugs; every log line goes to standard
// output for the journal; it publishes to the broker of [Publicacao] when there is one. SIGTERM
// or SIGINT leave the line as "Sair" does and end it with the history written; SIGHUP reads
// Preferencias.ini again without dropping the line.

#include <QObject>
#include <QString>
#include <filesystem>
#include <string>

#include "gauge/session.h"
#include "service/journal_log.h"
#include "service/system_signals.h"
#include "service/systemd_notify.h"
#include "station/station.h"

namespace qx7 {

// Exit codes: the unit's RestartPreventExitStatus keeps systemd from restarting a service
// whose configuration must be mended first.
inline constexpr int Saida_Servico_Normal = 0;
inline constexpr int Saida_Servico_Configuracao = 78;  // EX_CONFIG
// Minutes between automatic readings when the preferences set none.
inline constexpr int Intervalo_Padrao_Servico = 5;
// How long the service waits before trying a port that would not open again.
inline constexpr int Espera_Porta_ms = 5000;

class Servico : public QObject {
  public:
    explicit Servico(const std::filesystem::path& diretorio_base);

    // Runs until SIGTERM or SIGINT; the process's exit code.
    int Executar();

  private:
    bool Ler_Senha();
    bool Esperar_Porta(const std::string& motivo);
    void Encerrar();
    void Recarregar();
    void Mostrar_Conexao(Conexao conexao);
    // The status line: the gauge's connection, and the publishing when there is any.
    void Mostrar_Estado();

    QString arquivo_preferencias_;
    Diario diario_;
    Aviso_Systemd systemd_{this};
    Sinais_Sistema sinais_{this};
    Estacao estacao_;
    Conexao conexao_ = Conexao::Desconectado;
    bool encerrando_ = false;
    std::string motivo_porta_;  // the last reason the port would not open, told once
};

int Executar_Servico(int argc, char** argv);

}  // namespace qx7
