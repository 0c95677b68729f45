// A week's backlog drained to a local broker: 16 tanks read every minute for 7 days (161,280
// readings) wait in the history; the publisher, started as the station starts it, sends them
// to Debian's mosquitto on 127.0.0.1 until the cursor in the file reaches the last one. The
// time, the readings a second, the process's CPU time and its resident memory above what it
// held before the publisher started.
//
//     ./build-perf/bench_publicacao [runs] [--leituras N] [--tls] [--assinante] [--ocioso S]
//
// --tls publishes over mqtts:// (the broker's certificate checked); --assinante has a
// subscriber of the benchmark's own take every reading, as the head office would; --ocioso
// keeps the last run's publisher connected with nothing to send for S seconds and gives the
// CPU it took meanwhile.

#include <sys/resource.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "publish/publisher.h"
#include "tests/support/mqtt/test_broker.h"
#include "tests/support/mqtt/test_subscriber.h"
#include "tools/bench_publicacao/backlog.h"

namespace qx7::bancada {
namespace {

using Relogio = std::chrono::steady_clock;
constexpr qint64 Inicio_Backlog_ms = 1'796'000'000'000;
constexpr int Passo_Espera_ms = 50;

struct Opcoes {
    int execucoes = 3;
    int leituras = Leituras_Semana;
    bool tls = false;
    bool assinante = false;
    int ocioso_s = 0;
};

Opcoes Ler_Opcoes(int argc, char** argv) {
    Opcoes opcoes;
    if (argc > 1) {
        opcoes.execucoes = std::atoi(argv[1]);
    }
    for (int i = 2; i < argc; ++i) {
        const std::string_view opcao(argv[i]);
        if (opcao == "--tls") {
            opcoes.tls = true;
        } else if (opcao == "--assinante") {
            opcoes.assinante = true;
        } else if (opcao == "--ocioso" && i + 1 < argc) {
            opcoes.ocioso_s = std::atoi(argv[++i]);
        } else if (opcao == "--leituras" && i + 1 < argc) {
            opcoes.leituras = std::atoi(argv[++i]);
        }
    }
    return opcoes;
}

// Resident memory now, in KiB.
long Residente_KiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& linha : status.readAll().split('\n')) {
        if (linha.startsWith("VmRSS:")) {
            return linha.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return 0;
}

double Cpu_s() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const auto s = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return s(uso.ru_utime) + s(uso.ru_stime);
}

// Nothing to send: the publisher only looks at the history every second and keeps the
// connection alive.
void Medir_Ocioso(int segundos) {
    QThread::sleep(2);  // the last acknowledgements and cursor writes out of the way
    const double cpu_antes = Cpu_s();
    QThread::sleep(static_cast<unsigned long>(segundos));
    std::printf("ocioso por %d s: %.3f s de CPU, %.3f %% de um núcleo\n", segundos,
                Cpu_s() - cpu_antes, 100.0 * (Cpu_s() - cpu_antes) / segundos);
}

int Rodar(const Opcoes& opcoes) {
    teste::Corretor_Teste corretor;
    if (!corretor.Iniciar()) {
        std::fprintf(stderr, "%s\n", corretor.Erro().toUtf8().constData());
        return 1;
    }
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    if (!Criar_Backlog(arquivo, opcoes.leituras, Inicio_Backlog_ms)) {
        std::fprintf(stderr, "o backlog não foi criado\n");
        return 1;
    }
    const Configuracao_Mqtt config = corretor.Config(opcoes.tls);
    std::printf("%d leituras à espera, %s, %s\n", opcoes.leituras,
                config.Servidor().toUtf8().constData(),
                opcoes.assinante ? "com um assinante" : "sem assinante");
    std::printf("%-4s %9s %12s %9s %13s\n", "exec", "tempo_s", "leituras/s", "cpu_s",
                "memória_KiB");
    for (int n = 1; n <= opcoes.execucoes; ++n) {
        Esquecer_Cursores(arquivo);
        std::unique_ptr<teste::Assinante_Teste> assinante;
        if (opcoes.assinante) {
            assinante = std::make_unique<teste::Assinante_Teste>(corretor.Config(),
                                                                 QStringLiteral("qx7/+/leituras"));
            assinante->Conectado();
        }
        const long antes_kib = Residente_KiB();
        long maior_kib = antes_kib;
        const double cpu_antes = Cpu_s();
        const auto inicio = Relogio::now();
        auto publicador = std::make_unique<Publicador>(
            Opcoes_Publicador{.config = config, .arquivo_historico = arquivo});
        while (Cursor_Leituras(arquivo) < opcoes.leituras) {
            QThread::msleep(Passo_Espera_ms);
            maior_kib = std::max(maior_kib, Residente_KiB());
        }
        const double s = std::chrono::duration<double>(Relogio::now() - inicio).count();
        const double cpu = Cpu_s() - cpu_antes;
        if (n == opcoes.execucoes && opcoes.ocioso_s > 0) {
            Medir_Ocioso(opcoes.ocioso_s);
        }
        publicador.reset();
        std::printf("%-4d %9.2f %12.0f %9.2f %13ld\n", n, s, opcoes.leituras / s, cpu,
                    maior_kib - antes_kib);
    }
    return 0;
}

}  // namespace
}  // namespace qx7::bancada

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    return qx7::bancada::Rodar(qx7::bancada::Ler_Opcoes(argc, argv));
}
