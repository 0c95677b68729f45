// The alarms' cost over a year of history (the file bench_historico builds: a reading every five
// minutes for 16 tanks, 1,681,920 rows):
//   - the start: the open alarms and the last seven days of readings read from the file and
//     loaded into the tanks' windows, as the station does once when it starts;
//   - each reading judged (levels, fall, forecast and its alarm, deliveries) for a further week
//     of readings of every tank, every limit set: the time per reading, on the event loop;
//   - what the frame's ACK waits for: the sink's copy of a reading and the posting of its
//     judgement (the capture ahead of it excluded), per reading.
// The judgement's cost grows with the tank's readings of the last seven days (the forecast is
// drawn over all of them): the year's file reads every tank every five minutes.
//
//     build/bench_historico /tmp/Historico.sqlite     (once: builds the file)
//     build/bench_alarmes /tmp/Historico.sqlite

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "gauge/tank_watch.h"
#include "history/alarm_queries.h"
#include "history/connection.h"
#include "history/writer.h"
#include "station/alarm_wiring.h"

namespace {

using Relogio = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

constexpr int Tanques = 16;
constexpr std::int64_t Passo_ms = 5 * 60 * 1000;
constexpr int Repeticoes = 3;
constexpr int Leituras_Sink = 100'000;

double Segundos(Relogio::time_point desde) {
    return std::chrono::duration<double>(Relogio::now() - desde).count();
}

// Every limit set, so every kind is judged on every reading.
qx7::Config_Alarmes Todos_Os_Limites() {
    qx7::Config_Alarmes config;
    config.padrao = {.muito_alto = 95, .alto = 90, .baixo = 20, .muito_baixo = 5};
    config.queda_volume = 300;
    config.queda_minutos = 60;
    return config;
}

// The start: the file's open alarms and the week before its last reading, loaded.
void Carga(QSqlDatabase& banco, qint64 ultima) {
    std::printf("run  start_s  readings_loaded\n");
    for (int r = 1; r <= Repeticoes; ++r) {
        const auto inicio = Relogio::now();
        qx7::Avaliador_Alarmes avaliador;
        avaliador.Definir_Config(Todos_Os_Limites());
        avaliador.Restaurar(qx7::Alarmes_Abertos(banco));
        qx7::Vigia_Tanques vigia(avaliador);
        const std::vector<qx7::Leitura_Valores> leituras =
            qx7::Leituras_Para_Previsao(banco, ultima - qx7::Janela_Previsao_ms, ultima);
        for (const qx7::Leitura_Valores& l : leituras) {
            vigia.Carregar(l);
        }
        std::printf("%3d  %7.3f  %15zu\n", r, Segundos(inicio), leituras.size());
    }
}

// Readings of every tank `passo_ms` apart for a week after `desde`, judged one at a time.
void Julgar_Semana(qx7::Vigia_Tanques& vigia, qint64 desde, qint64 passo_ms, int r) {
    const auto leituras = static_cast<int>(qx7::Janela_Previsao_ms / passo_ms);
    double total = 0, maior = 0;
    std::size_t mudancas = 0;
    for (int i = 1; i <= leituras; ++i) {
        for (int t = 1; t <= Tanques; ++t) {
            const double medido =
                10000 + 8000 * std::sin(static_cast<double>(i * passo_ms) / 3e8 + t);
            const auto antes = Relogio::now();
            const qx7::Resultado_Leitura resultado =
                vigia.Leitura({t, desde + i * passo_ms, medido, 20000 - medido});
            const double us = Micros(Relogio::now() - antes).count();
            total += us;
            maior = std::max(maior, us);
            mudancas += resultado.mudancas.size() + (resultado.descarga ? 1 : 0);
        }
    }
    std::printf("%3d  %8d  %7.2f  %6.1f  %7zu\n", r, leituras * Tanques,
                total / (leituras * Tanques), maior, mudancas);
}

// A further week after the file's last reading, every five minutes as in the file.
void Por_Leitura(QSqlDatabase& banco, qint64 ultima) {
    std::printf("every 5 min\nrun  readings  mean_us  max_us  changes\n");
    for (int r = 1; r <= Repeticoes; ++r) {
        qx7::Avaliador_Alarmes avaliador;
        avaliador.Definir_Config(Todos_Os_Limites());
        qx7::Vigia_Tanques vigia(avaliador);
        for (const qx7::Leitura_Valores& l :
             qx7::Leituras_Para_Previsao(banco, ultima - qx7::Janela_Previsao_ms, ultima)) {
            vigia.Carregar(l);
        }
        Julgar_Semana(vigia, ultima, Passo_ms, r);
    }
}

// The automatic reading at its shortest, once a minute: five times the readings in the window.
void Por_Minuto() {
    constexpr qint64 Minuto_ms = 60 * 1000;
    std::printf("every minute\nrun  readings  mean_us  max_us  changes\n");
    for (int r = 1; r <= Repeticoes; ++r) {
        qx7::Avaliador_Alarmes avaliador;
        avaliador.Definir_Config(Todos_Os_Limites());
        qx7::Vigia_Tanques vigia(avaliador);
        Julgar_Semana(vigia, 0, Minuto_ms, r);  // the first week fills the window
        Julgar_Semana(vigia, qx7::Janela_Previsao_ms, Minuto_ms, r);
    }
}

// Counts nothing: the judgement's few log lines are not what is measured.
class Sem_Log : public qx7::Registro {
  public:
    void Adicionar(std::string) override {}
};

// Drops what it is given: the capture's own share is measured elsewhere.
class Sem_Captura : public qx7::Historico_Medidor {
  public:
    void Leitura(const qx7::Leitura_Recebida&, bool) override {}
    void Inventario_Iniciado() override {}
    void Inventario_Concluido(const std::string&, int) override {}
    void Serie_Programada(const qx7::Serie_Programada_Recebida&) override {}
    void Relogio(const qx7::Relogio_Recebido&) override {}
};

// What the ACK waits for: the sink's part. The judgement it posts is measured above; here the
// posted calls are dropped with the object, unjudged (a hundred thousand readings of one tank
// at one instant are no station's).
void No_Caminho_Do_Ack(const QString& pasta) {
    Sem_Captura captura;
    qx7::Gravador_Historico gravador({.arquivo = pasta + QStringLiteral("/Sink.sqlite")});
    QSettings preferencias(pasta + QStringLiteral("/Preferencias.ini"), QSettings::IniFormat);
    Sem_Log log;
    const qx7::Leitura_Recebida leitura{"A01",      "MA",       " 03",    "0745",
                                        "GC",       "030000",   "018250", "011750",
                                        "10:15:00", "08/12/26", false,    std::string(46, 'x')};
    std::printf("run  sink_us_per_reading\n");
    for (int r = 1; r <= Repeticoes; ++r) {
        qx7::Alarmes_Estacao alarmes({.captura = captura,
                                      .gravador = gravador,
                                      .log = log,
                                      .preferencias = preferencias,
                                      .arquivo = pasta + QStringLiteral("/Sink.sqlite")});
        const auto antes = Relogio::now();
        for (int i = 0; i < Leituras_Sink; ++i) {
            alarmes.Leitura(leitura, false);
        }
        std::printf("%3d  %19.3f\n", r, Micros(Relogio::now() - antes).count() / Leituras_Sink);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    if (argc < 2 || !QFileInfo::exists(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: bench_alarmes HISTORY_FILE (made by bench_historico)\n");
        return 2;
    }
    qx7::Conexao_Historico leitor(QString::fromLocal8Bit(argv[1]), qx7::Modo_Conexao::Leitura);
    const std::optional<qint64> ultima =
        leitor.Aberta() ? qx7::Ultima_Leitura_ms(leitor.Banco()) : std::nullopt;
    if (!ultima) {
        std::fprintf(stderr, "no readings in %s\n", argv[1]);
        return 1;
    }
    Carga(leitor.Banco(), *ultima);
    Por_Leitura(leitor.Banco(), *ultima);
    Por_Minuto();
    QTemporaryDir pasta;
    No_Caminho_Do_Ack(pasta.path());
    return 0;
}
