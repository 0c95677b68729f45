// The built program started as a scheduled job starts it: refused command lines end with the
// usage and exit 2 before any window (no display is there to open one) and before the port; the
// export for programs is the same bytes whatever the job's language and time zone; the history
// window alone never touches the port.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <filesystem>

#include "history/writer.h"
#include "station/history_wiring.h"
#include "tests/e2e/program_session.h"
#include "tests/support/pty.h"

namespace qx7::e2e {
namespace {

constexpr int Espera_Programa_ms = 20000;
constexpr int Vida_Janela_ms = 2000;

// A base directory whose COM1 is a pseudo-terminal the test holds: whatever the program sends
// on the line arrives there.
struct Estacao {
    Estacao() { std::filesystem::create_symlink(linha.Caminho_Escravo(), base.base / "COM1"); }
    QString Em_Base(const char* nome) const {
        return QString::fromStdString((base.base / nome).string());
    }
    QProcessEnvironment Ambiente(const char* lang, const char* tz, const char* plataforma) const {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome :
             {"DISPLAY", "WAYLAND_DISPLAY", "LC_ALL", "LC_NUMERIC", "LANGUAGE"}) {
            ambiente.remove(QString::fromLatin1(nome));
        }
        ambiente.insert(QStringLiteral("QX7_DIRETORIO_BASE"),
                        QString::fromStdString(base.base.string()));
        ambiente.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
        ambiente.insert(QStringLiteral("TZ"), QString::fromLatin1(tz));
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(plataforma));
        return ambiente;
    }
    // Runs the program to its end; its exit status, or -1 when it crashed or hung.
    int Executar(const QStringList& argumentos, const char* lang = "C", const char* tz = "UTC") {
        QProcess programa;
        // xcb with no display aborts the program if it ever builds a window.
        programa.setProcessEnvironment(Ambiente(lang, tz, "xcb"));
        programa.start(QStringLiteral(QX7_PROGRAMA), argumentos);
        const bool terminou = programa.waitForFinished(Espera_Programa_ms);
        erros = QString::fromUtf8(programa.readAllStandardError());
        saida = QString::fromUtf8(programa.readAllStandardOutput());
        return terminou && programa.exitStatus() == QProcess::NormalExit ? programa.exitCode() : -1;
    }

    teste::Pseudo_Terminal linha;
    Diretorio_Base_Teste base;
    QString saida, erros;
};

TEST(Linha_Comando_Programa, RecusaSemJanelaNemPorta) {
    Estacao estacao;
    const QStringList casos[] = {
        {QStringLiteral("--exportar-csv=leituras.csv")},
        {QStringLiteral("--exportar-cvs"), QStringLiteral("leituras.csv")},
        {QStringLiteral("--historico"), QStringLiteral("--formato"), QStringLiteral("maquina")},
    };
    for (const QStringList& argumentos : casos) {
        SCOPED_TRACE(argumentos.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(estacao.Executar(argumentos), 2) << estacao.erros.toStdString();
        EXPECT_TRUE(estacao.erros.contains(QStringLiteral("uso: comunicacao-qx7")));
        EXPECT_TRUE(estacao.saida.isEmpty());
    }
    EXPECT_EQ(estacao.linha.Ler(std::chrono::milliseconds(100)), "");
}

// With no display the window cannot open: the operator is pointed at what runs without one,
// with no abort and nothing on the line.
TEST(Linha_Comando_Programa, SemTelaDizOQueUsarSemAbortarNemTocarAPorta) {
    Estacao estacao;
    for (const QStringList& argumentos :
         {QStringList{}, QStringList{QStringLiteral("--historico")}}) {
        SCOPED_TRACE(argumentos.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(estacao.Executar(argumentos), 1) << estacao.erros.toStdString();
        EXPECT_TRUE(estacao.erros.contains(QStringLiteral("--servico")))
            << estacao.erros.toStdString();
    }
    EXPECT_EQ(estacao.linha.Ler(std::chrono::milliseconds(100)), "");
}

// Two readings written by the program's own writer, at known UTC instants.
void Gravar_Leituras(const QString& arquivo) {
    Gravador_Historico gravador({arquivo, {}});
    const qint64 primeiro = 1'764'583'200'000;  // 2025-12-01 10:00:00 UTC
    for (const int i : {0, 1}) {
        gravador.Enfileirar(Unidade_Leitura{
            primeiro + i * 300'000,
            {"A01", "MT", " 0" + std::to_string(i + 1), "0.745", "GASOLINA", "30000", "1500.25",
             "28499.75", "10:0" + std::to_string(5 * i) + ":00", "01/12/25", false, "quadro"},
            false});
    }
}

TEST(Linha_Comando_Programa, FormaMaquinaIgualEmQualquerIdiomaEFuso) {
    Estacao estacao;
    Gravar_Leituras(Arquivo_No_Diretorio(estacao.base.base, Arquivo_Historico));
    const QByteArray esperado =
        "instante_utc,endereco,comando,tanque,produto,densidade,capacidade,medido,complementar,"
        "unidade,percentual,hora_medidor,data_medidor\r\n"
        "2025-12-01T10:00:00+00:00,A01,MT,1,GASOLINA,0.745,30000,1500.25,28499.75,V,5.00,"
        "10:00:00,2025-12-01\r\n"
        "2025-12-01T10:05:00+00:00,A01,MT,2,GASOLINA,0.745,30000,1500.25,28499.75,V,5.00,"
        "10:05:00,2025-12-01\r\n";
    const struct {
        const char* lang;
        const char* tz;
        char separador_planilha;
    } casos[] = {{"pt_BR.UTF-8", "America/Sao_Paulo", ';'}, {"C", "UTC", ','}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.lang);
        const QString maquina = estacao.Em_Base("maquina.csv");
        ASSERT_EQ(estacao.Executar({QStringLiteral("--exportar-csv"), maquina,
                                    QStringLiteral("--formato"), QStringLiteral("maquina")},
                                   c.lang, c.tz),
                  0)
            << estacao.erros.toStdString();
        EXPECT_EQ(estacao.saida, QStringLiteral("2 leituras exportadas para %1\n").arg(maquina));
        QFile arquivo(maquina);
        ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
        EXPECT_EQ(arquivo.readAll(), esperado);
        // The default stays the spreadsheet's form, which follows the language.
        const QString planilha = estacao.Em_Base("planilha.csv");
        ASSERT_EQ(estacao.Executar({QStringLiteral("--exportar-csv"), planilha}, c.lang, c.tz), 0);
        QFile outro(planilha);
        ASSERT_TRUE(outro.open(QIODevice::ReadOnly));
        EXPECT_TRUE(outro.readLine().startsWith(QByteArray("\xEF\xBB\xBF"
                                                           "Data e hora do computador") +
                                                c.separador_planilha));
    }
    EXPECT_EQ(estacao.linha.Ler(std::chrono::milliseconds(100)), "");
}

// The window program sends its first request at once; the history window alone, over the same
// base directory, sends nothing while it runs.
TEST(Linha_Comando_Programa, JanelaDoHistoricoSozinhaNaoTocaAPorta) {
    Estacao estacao;
    Gravar_Leituras(Arquivo_No_Diretorio(estacao.base.base, Arquivo_Historico));
    const auto rodar = [&estacao](const QStringList& argumentos) {
        QProcess programa;
        programa.setProcessEnvironment(estacao.Ambiente("C", "UTC", "offscreen"));
        programa.start(QStringLiteral(QX7_PROGRAMA), argumentos);
        const std::string recebido = estacao.linha.Ler(std::chrono::milliseconds(Vida_Janela_ms));
        // Still running: it did not end at once, whatever it sent.
        const bool rodando = programa.waitForStarted() && !programa.waitForFinished(0);
        programa.kill();
        programa.waitForFinished(Espera_Programa_ms);
        return std::pair(rodando, recebido);
    };
    const auto [janela_rodando, do_programa] = rodar({});
    EXPECT_TRUE(janela_rodando);
    EXPECT_NE(do_programa, "");  // the check below can tell
    const auto [historico_rodando, do_historico] = rodar({QStringLiteral("--historico")});
    EXPECT_TRUE(historico_rodando);
    EXPECT_EQ(do_historico, "");
}

}  // namespace
}  // namespace qx7::e2e
