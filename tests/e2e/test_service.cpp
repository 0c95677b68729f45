// The built program as systemd starts it, --servico, with no display: against the simulator on
// a pseudo-terminal it connects with the stored password, survives the simulator being
// replaced (connecting again by itself), reads at the automatic interval into the history and
// ends on SIGTERM with exit 0 and the history written; a password file others may read is
// refused before anything starts.

#include <gtest/gtest.h>
#include <signal.h>

#include <QComboBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/startup_qt.h"
#include "history/connection.h"
#include "service/service.h"
#include "station/history_wiring.h"
#include "tests/e2e/program_session.h"
#include "tests/support/pty.h"

namespace qx7::e2e {
namespace {

namespace fs = std::filesystem;

// The automatic reading's shortest interval is a minute: the first reading after the
// connection comes then.
constexpr int Espera_Leitura_Automatica_ms = 90'000;
constexpr int Espera_Encerramento_ms = 5000;

class Servico_E2e : public ::testing::Test {
  protected:
    void Preferencias(const std::string& conteudo, fs::perms permissoes) {
        const fs::path arquivo = base.base / Arquivo_Preferencias;
        std::ofstream(arquivo, std::ios::binary) << conteudo;
        fs::permissions(arquivo, permissoes);
    }

    void Iniciar() {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        for (const char* nome : {"DISPLAY", "WAYLAND_DISPLAY", "NOTIFY_SOCKET"}) {
            ambiente.remove(QString::fromLatin1(nome));
        }
        ambiente.insert(QStringLiteral("QX7_DIRETORIO_BASE"),
                        QString::fromStdString(base.base.string()));
        // xcb with no display aborts the program if it ever builds a window.
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        servico.setProcessEnvironment(ambiente);
        servico.start(QStringLiteral(QX7_PROGRAMA), {QStringLiteral("--servico")});
        ASSERT_TRUE(servico.waitForStarted());
    }

    // What the service has printed so far, line by line.
    QStringList Saida() {
        saida += QString::fromUtf8(servico.readAllStandardOutput());
        return saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    bool Esperar_Pedidos(const QStringList& esperados, int ms) {
        return QTest::qWaitFor(
            [&] {
                const QStringList pedidos = simulador->Pedidos();
                return pedidos.size() >= esperados.size() &&
                       pedidos.mid(pedidos.size() - esperados.size()) == esperados;
            },
            ms);
    }

    int Leituras_No_Historico() {
        Conexao_Historico conexao(Arquivo_No_Diretorio(base.base, Arquivo_Historico),
                                  Modo_Conexao::Leitura);
        QSqlQuery q(conexao.Banco());
        return conexao.Aberta() && q.exec(QStringLiteral("SELECT count(*) FROM leituras")) &&
                       q.next()
                   ? q.value(0).toInt()
                   : -1;
    }

    Diretorio_Base_Teste base;
    std::unique_ptr<Processo_Simulador> simulador;
    QProcess servico;
    QString saida;
};

TEST_F(Servico_E2e, ConectaSozinhoReconectaLeAutomaticamenteEEncerraComHistorico) {
    Preferencias("[Servico]\nSenha=qx7\n[Historico]\nLeituraAutomaticaMinutos=1\n",
                 fs::perms::owner_read | fs::perms::owner_write);
    simulador = std::make_unique<Processo_Simulador>(base.base, 1);
    ASSERT_TRUE(simulador->Pronto());
    Iniciar();
    const QStringList ciclo = {QStringLiteral("ID01"), QStringLiteral("CFqx7")};
    ASSERT_TRUE(Esperar_Pedidos(ciclo, Espera_Resposta_ms)) << Saida().join('\n').toStdString();

    // The adapter unplugged and another gauge plugged in its place.
    simulador.reset();
    simulador = std::make_unique<Processo_Simulador>(base.base, 1);
    ASSERT_TRUE(simulador->Pronto());
    ASSERT_TRUE(Esperar_Pedidos(ciclo, 3 * Espera_Resposta_ms)) << Saida().join('\n').toStdString();
    ASSERT_TRUE(Esperar_Pedidos({QStringLiteral("MA")}, Espera_Leitura_Automatica_ms))
        << Saida().join('\n').toStdString();
    // The first answer of the reading decoded and acknowledged, then the service stopped.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QString texto = Saida().join('\n');
        const qsizetype resposta = texto.indexOf(QStringLiteral("Msg.RX= <STX>MA"));
        return resposta >= 0 && texto.indexOf(QStringLiteral("Transmitiu ACK"), resposta) >= 0;
    }));

    const auto antes = std::chrono::steady_clock::now();
    ::kill(static_cast<pid_t>(servico.processId()), SIGTERM);
    ASSERT_TRUE(servico.waitForFinished(Espera_Encerramento_ms));
    EXPECT_LT(std::chrono::steady_clock::now() - antes,
              std::chrono::milliseconds(Espera_Encerramento_ms));
    EXPECT_EQ(servico.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(servico.exitCode(), Saida_Servico_Normal);
    EXPECT_GT(Leituras_No_Historico(), 0) << Saida().join('\n').toStdString();

    // Every line carries the journal's priority; the lost port is a warning.
    const QStringList linhas = Saida();
    for (const QString& linha : linhas) {
        EXPECT_TRUE(linha.startsWith("<6>") || linha.startsWith("<4>")) << linha.toStdString();
    }
    EXPECT_FALSE(linhas.filter(QRegularExpression("^<4>.*deixou de responder")).isEmpty())
        << linhas.join('\n').toStdString();
    EXPECT_FALSE(linhas.filter(QRegularExpression("^<6>Porta serial COM1 reaberta")).isEmpty());
}

// The window program started while the service holds the line: its configuration screen names
// the service as the port's holder.
TEST_F(Servico_E2e, JanelaAbertaComOServicoNaLinhaDizQuemTemAPorta) {
    Preferencias("[Servico]\nSenha=qx7\n", fs::perms::owner_read | fs::perms::owner_write);
    teste::Pseudo_Terminal linha;
    fs::create_symlink(linha.Caminho_Escravo(), base.base / "COM1");
    Iniciar();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Saida().join('\n').contains("<STX>ID02"); },
                                Espera_Resposta_ms))
        << Saida().join('\n').toStdString();

    QStringList portas;
    Roteiro_Modal operador;
    operador.Quando(QStringLiteral("Form4"), [&](QWidget& tela) {
        Clicar(tela, "Localizar_COMs");
        auto* lista = tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
        for (int i = 0; lista != nullptr && i < lista->count(); ++i) {
            portas.append(lista->itemText(i));
        }
        Clicar(tela, "Retornar");
    });
    Programa janela(base.base, [](Variaveis_Programa& variaveis) {
        Servicos_Form1 servicos = Servicos_Do_Programa(variaveis);
        servicos.confirmar_saida = [](QWidget*) { return true; };
        servicos.encerrar = [] {};
        return servicos;
    });
    EXPECT_FALSE(janela.Iniciar());
    EXPECT_TRUE(operador.Concluido());
    EXPECT_FALSE(portas.filter(QRegularExpression("^COM1 .*em uso pelo serviço")).isEmpty())
        << portas.join('\n').toStdString();
    ::kill(static_cast<pid_t>(servico.processId()), SIGTERM);
    EXPECT_TRUE(servico.waitForFinished(Espera_Encerramento_ms));
}

TEST_F(Servico_E2e, SenhaNumArquivoQueOutrosLeemERecusada) {
    Preferencias("[Servico]\nSenha=qx7\n", fs::perms::owner_read | fs::perms::owner_write |
                                               fs::perms::group_read | fs::perms::others_read);
    Iniciar();
    ASSERT_TRUE(servico.waitForFinished(Espera_Encerramento_ms));
    EXPECT_EQ(servico.exitCode(), Saida_Servico_Configuracao);
    const QString texto = Saida().join('\n');
    EXPECT_TRUE(texto.startsWith("<3>")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("chmod 600")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("0644")) << texto.toStdString();
    EXPECT_FALSE(fs::exists(base.base / Arquivo_Historico));  // nothing was started
}

}  // namespace
}  // namespace qx7::e2e
