// The writer's cost: inventory runs of 16 tanks, each reading with its whole 46-byte frame,
// written by Gravador_Historico as the program writes them (one transaction per reading and
// one per completed run); the time per run and the file's size per reading.
//
//     ./build-perf/bench_gravacao [runs]

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "history/writer.h"
#include "link/frame.h"

namespace {

using Relogio = std::chrono::steady_clock;
constexpr int Tanques = 16;

qx7::Leitura_Recebida Leitura(int tanque, int run) {
    const std::string t = (tanque < 10 ? " 0" : " ") + std::to_string(tanque);
    std::string medido = std::to_string(10000 + (run * 37 + tanque * 11) % 9000);
    medido.insert(0, 6 - medido.size(), '0');
    const std::string campos =
        "MA" + t + "0745" + "GC" + "030000" + medido + "020000" + "101500" + "081226" + "V" + " ";
    return {"A01",  "MA",     t,          "0745",     "GC",  "030000",
            medido, "020000", "10:15:00", "08/12/26", false, qx7::Monta_Quadro(campos)};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    const int corridas = argc > 1 ? std::atoi(argv[1]) : 500;
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    qx7::Gravador_Historico gravador({arquivo, {}});

    const auto inicio = Relogio::now();
    for (int run = 0; run < corridas; ++run) {
        gravador.Enfileirar(qx7::Unidade_Inicio_Inventario{});
        for (int t = 1; t <= Tanques; ++t) {
            gravador.Enfileirar(qx7::Unidade_Leitura{1000LL * run, Leitura(t, run), true});
        }
        gravador.Enfileirar(qx7::Unidade_Fim_Inventario{1000LL * run, "A01", Tanques});
    }
    gravador.Encerrar();
    const double s = std::chrono::duration<double>(Relogio::now() - inicio).count();

    const qint64 bytes =
        QFileInfo(arquivo).size() + QFileInfo(arquivo + QStringLiteral("-wal")).size();
    const auto leituras = static_cast<double>(corridas) * Tanques;
    std::printf(
        "%d inventários de %d tanques: %.3f s, %.2f ms por inventário (%u registros "
        "gravados)\n",
        corridas, Tanques, s, 1000.0 * s / corridas, static_cast<unsigned>(gravador.Gravados()));
    std::printf("arquivo %lld bytes (com o WAL), %.0f bytes por leitura\n",
                static_cast<long long>(bytes), static_cast<double>(bytes) / leituras);
    return gravador.Perdidos() == 0 ? 0 : 1;
}
