// The readers over a year of readings (the file bench_historico builds: 16 tanks every five
// minutes, 1,681,920 rows): the command line's CSV export of the whole year in both forms
// against the sqlite3 shell dumping the same rows, and the readings table's pages at any depth.
//
//     build-perf/bench_historico /tmp/Historico.sqlite   # builds the file once
//     build-perf/bench_exportacao /tmp/Historico.sqlite
//
// The export is written beside the history file, as a scheduled job would write it.

#include <sys/resource.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <limits>

#include "history/reader.h"
#include "history/readings_csv.h"

namespace {

using Relogio = std::chrono::steady_clock;

constexpr int Repeticoes = 3;
constexpr int Por_Pagina_Tabela = 200;  // the readings table's page
const qx7::Filtro_Leituras Tudo{0, std::numeric_limits<qint64>::max(), {}};

double Segundos(Relogio::time_point desde) {
    return std::chrono::duration<double>(Relogio::now() - desde).count();
}

// Processor time (user + system) of this process, or of its finished children.
double Cpu(int quem) {
    rusage uso{};
    getrusage(quem, &uso);
    const auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return s(uso.ru_utime) + s(uso.ru_stime);
}

// Wall and processor seconds of one run.
struct Tempo {
    double parede = -1;
    double cpu = -1;
};

// The same rows, columns and order as the export, dumped by the sqlite3 shell.
Tempo Shell(const QString& arquivo, const QString& destino) {
    const QString consulta = QStringLiteral(
        "SELECT instante_ms, endereco, comando, tanque, produto, densidade, capacidade, medido,"
        " complementar, unidade,"
        " CASE WHEN medido + complementar <> 0 THEN 100.0 * medido / (medido + complementar) END,"
        " texto_hora, texto_data FROM leituras WHERE instante_ms >= 0"
        " ORDER BY instante_ms, id");
    QProcess shell;
    shell.setStandardOutputFile(destino);
    const double cpu = Cpu(RUSAGE_CHILDREN);
    const auto inicio = Relogio::now();
    shell.start(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), arquivo, consulta});
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed (is it installed?)\n");
        return {};
    }
    return {Segundos(inicio), Cpu(RUSAGE_CHILDREN) - cpu};
}

Tempo Exportar(const QString& arquivo, const QString& destino, const qx7::Formato_Csv& formato,
               qint64& linhas) {
    const double cpu = Cpu(RUSAGE_SELF);
    const auto inicio = Relogio::now();
    qx7::Leitor_Historico leitor(arquivo);
    QString erro;
    const auto escritas =
        leitor.Aberto() ? qx7::Exportar_Leituras_Csv(leitor.Banco(), Tudo, destino, formato, erro)
                        : std::nullopt;
    if (!escritas) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(leitor.Erro() + erro));
        return {};
    }
    linhas = *escritas;
    return {Segundos(inicio), Cpu(RUSAGE_SELF) - cpu};
}

void Exportacoes(const QString& arquivo) {
    const QString destino = arquivo + QStringLiteral(".csv");
    const qx7::Formato_Csv brasil =
        qx7::Formato_Planilha(QLocale(QLocale::Portuguese, QLocale::Brazil));
    std::printf(
        "run  rows     wall_s: sqlite3 planilha maquina   cpu_s: sqlite3 planilha maquina"
        "   ratios wall, cpu: planilha maquina\n");
    for (int r = 1; r <= Repeticoes; ++r) {
        qint64 linhas = 0;
        const Tempo shell = Shell(arquivo, destino);
        const Tempo planilha = Exportar(arquivo, destino, brasil, linhas);
        const Tempo maquina = Exportar(arquivo, destino, qx7::Formato_Maquina(), linhas);
        std::printf("%3d  %lld  %7.2f %8.2f %7.2f  %7.2f %8.2f %7.2f  %4.2f %4.2f, %4.2f %4.2f\n",
                    r, static_cast<long long>(linhas), shell.parede, planilha.parede,
                    maquina.parede, shell.cpu, planilha.cpu, maquina.cpu,
                    planilha.parede / shell.parede, maquina.parede / shell.parede,
                    planilha.cpu / shell.cpu, maquina.cpu / shell.cpu);
    }
    QFile::remove(destino);
}

// The readings table: where its pages start, found once for the filter, then a page read at
// several depths over a connection opened for it, as the table reads them.
void Paginas(const QString& arquivo) {
    auto inicio = Relogio::now();
    std::optional<qx7::Paginas_Leituras> paginas;
    {
        qx7::Leitor_Historico leitor(arquivo);
        paginas = qx7::Marcar_Paginas(leitor.Banco(), Tudo, Por_Pagina_Tabela);
    }
    if (!paginas) {
        std::fprintf(stderr, "cannot mark the pages\n");
        return;
    }
    std::printf("pages of %d marked in %.3f s (%lld rows)\n", Por_Pagina_Tabela, Segundos(inicio),
                static_cast<long long>(paginas->total));
    std::printf("depth  ms_per_page (connection opened for it)\n");
    for (const double fracao : {0.0, 0.5, 0.99, 1.0}) {
        const auto pagina =
            static_cast<std::size_t>(fracao * static_cast<double>(paginas->fins.size()));
        const std::optional<qx7::Posicao_Leitura> depois =
            pagina == 0 ? std::nullopt : std::optional(paginas->fins[pagina - 1]);
        inicio = Relogio::now();
        std::vector<qx7::Leitura_Historico> linhas;
        for (int r = 0; r < Repeticoes; ++r) {
            linhas.clear();
            qx7::Leitor_Historico leitor(arquivo);
            qx7::Ler_Pagina_Leituras(leitor.Banco(), Tudo, depois, Por_Pagina_Tabela, linhas);
        }
        std::printf("%4.0f %%  %6.2f  (%zu rows)\n", 100 * fracao,
                    1000 * Segundos(inicio) / Repeticoes, linhas.size());
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    if (argc < 2 || !QFileInfo::exists(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: bench_exportacao HISTORICO (built by bench_historico)\n");
        return 2;
    }
    const QString arquivo = QString::fromLocal8Bit(argv[1]);
    Paginas(arquivo);
    Exportacoes(arquivo);
    return 0;
}
