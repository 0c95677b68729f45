// The whole program, the simulator on a pseudo-terminal and Debian's mosquitto: an inventory's
// readings reach the broker with the gauge's values; readings taken while the broker is down
// arrive after the program was restarted and the broker came back; the service killed outright
// leaves "offline" through its last will, and started again sends the rest without more
// repeats than its window; its status line shows the publishing.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QJsonArray>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <set>

#include "history/connection.h"
#include "history/schema.h"
#include "publish/publisher.h"
#include "station/history_wiring.h"
#include "station/publication_wiring.h"
#include "tests/e2e/program_session.h"
#include "tests/support/mqtt/test_broker.h"
#include "tests/support/mqtt/test_subscriber.h"
#include "tests/support/systemd/notify_socket.h"
#include "text/qt_1252.h"

namespace qx7::e2e {
namespace {

namespace fs = std::filesystem;
using teste::Assinante_Teste;
using teste::Corretor_Teste;
using teste::Mensagem_Recebida;
using teste::Socket_Notificacao;

constexpr int Espera_Mqtt_ms = 20'000;
const QString Estacao_Teste = QStringLiteral("posto-e2e");

std::vector<QJsonObject> Objetos(const std::vector<Mensagem_Recebida>& mensagens) {
    std::vector<QJsonObject> objetos;
    for (const Mensagem_Recebida& m : mensagens) {
        objetos.push_back(m.Json());
    }
    return objetos;
}

class Publicacao_E2e : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Corretor_Teste::Instalado()) {
            GTEST_SKIP() << Corretor_Teste::Motivo_Ausente();
        }
        ASSERT_TRUE(corretor.Iniciar()) << corretor.Erro().toStdString();
        simulador = std::make_unique<Processo_Simulador>(base.base, 1);
        ASSERT_TRUE(simulador->Pronto());
    }

    // [Publicacao] over TLS to the test's broker, plus `extra`, readable by the owner only.
    void Preferencias(const std::string& extra = {}) {
        const Configuracao_Mqtt c = corretor.Config(true);
        const fs::path arquivo = base.base / Arquivo_Preferencias;
        std::ofstream(arquivo, std::ios::binary)
            << extra << "[Publicacao]\nServidor=" << c.Servidor().toStdString()
            << "\nUsuario=" << c.usuario.toStdString() << "\nSenha=" << c.senha.toStdString()
            << "\nCA=" << c.ca.toStdString() << "\nEstacao=" << Estacao_Teste.toStdString() << "\n";
        fs::permissions(arquivo, fs::perms::owner_read | fs::perms::owner_write);
    }

    bool Abrir_Programa() {
        programa = std::make_unique<Programa>(base.base);
        return programa->Iniciar();
    }

    void Clicar(const char* botao) {
        auto* b = programa->Painel().findChild<QAbstractButton*>(QString::fromUtf8(botao));
        ASSERT_NE(b, nullptr) << botao;
        ASSERT_TRUE(b->isEnabled()) << botao;
        b->click();
    }

    bool Conectar() {
        operador.Quando(QStringLiteral("Form3"), [](QWidget& tela) {
            Digitar(tela, "Senha", Senha_Do_Medidor);
            e2e::Clicar(tela, "Validar_Senha");
        });
        Clicar("Abrir_Conexão");
        auto* comandos = programa->Painel().findChild<QWidget*>(QStringLiteral("Frame5"));
        return comandos != nullptr &&
               Esperar([&] { return comandos->isEnabled(); }, Espera_Resposta_ms);
    }

    qint64 Leituras_No_Historico() {
        Conexao_Historico conexao(Arquivo_No_Diretorio(base.base, Arquivo_Historico),
                                  Modo_Conexao::Leitura);
        QSqlQuery q(conexao.Banco());
        return conexao.Aberta() && q.exec(QStringLiteral("SELECT count(*) FROM leituras")) &&
                       q.next()
                   ? q.value(0).toLongLong()
                   : -1;
    }

    QString Filtro() const { return QStringLiteral("qx7/%1/#").arg(Estacao_Teste); }

    Corretor_Teste corretor;
    Diretorio_Base_Teste base;
    std::unique_ptr<Processo_Simulador> simulador;
    Roteiro_Modal operador;
    std::unique_ptr<Programa> programa;
};

// The sample gauge's four tanks (tools/simulador/medidor-exemplo.txt).
struct Tanque_Exemplo {
    int tanque;
    double medido;
    const char* unidade;
};
constexpr Tanque_Exemplo Tanques_Exemplo[] = {
    {1, 18250, "V"}, {2, 24000, "V"}, {3, 5400, "P"}, {4, 2100, "V"}};

// With "Alto" at 1 %, every tank of the inventory raises it: the alarms reach the broker as the
// history stores them.
TEST_F(Publicacao_E2e, InventarioChegaComOsValoresDoMedidor) {
    Preferencias("[Alarmes]\nAlto=1\n");
    Assinante_Teste assinante(corretor.Config(), Filtro());
    ASSERT_TRUE(assinante.Conectado());
    ASSERT_TRUE(Abrir_Programa());
    ASSERT_TRUE(Conectar());
    operador.Quando(QStringLiteral("Form2"), [](QWidget& tela) { e2e::Clicar(tela, "Retornar"); });
    Clicar("IV_Cmd");
    // Streams go out by priority, the run's message possibly ahead of its readings.
    ASSERT_TRUE(Esperar(
        [&] {
            return assinante.Do_Topico(QStringLiteral("inventarios")).size() == 1 &&
                   assinante.Do_Topico(QStringLiteral("leituras")).size() >= 4;
        },
        Espera_Mqtt_ms))
        << Texto_Do_Log(*programa);

    const std::vector<QJsonObject> leituras =
        Objetos(assinante.Do_Topico(QStringLiteral("leituras")));
    ASSERT_EQ(leituras.size(), 4U);
    const auto& tabela = programa->Variaveis().Tabela_Tanques;
    QJsonArray ids;
    for (std::size_t i = 0; i < leituras.size(); ++i) {
        const QJsonObject& l = leituras[i];
        const Tanque_Exemplo& esperado = Tanques_Exemplo[i];
        ASSERT_EQ(l["tanque"].toInt(), esperado.tanque);
        EXPECT_DOUBLE_EQ(l["medido"].toDouble(), esperado.medido);
        EXPECT_EQ(l["unidade"].toString().toStdString(), esperado.unidade);
        // As the panel decoded the same answer.
        const auto& campos = tabela[static_cast<std::size_t>(esperado.tanque)];
        EXPECT_DOUBLE_EQ(l["complementar"].toDouble(), De_1252(campos[2]).toDouble());
        EXPECT_DOUBLE_EQ(l["densidade"].toDouble(), De_1252(campos[3]).toDouble());
        EXPECT_EQ(l["produto"].toString(), De_1252(campos[4]));
        EXPECT_EQ(l["data_medidor"].toString(), De_1252(campos[5]));
        EXPECT_EQ(l["hora_medidor"].toString(), De_1252(campos[6]));
        EXPECT_DOUBLE_EQ(l["capacidade"].toDouble(), De_1252(campos[7]).toDouble());
        ids.append(l["id"]);
    }
    const QJsonObject inventario = assinante.Do_Topico(QStringLiteral("inventarios"))[0].Json();
    EXPECT_EQ(inventario["num_tanques"].toInt(), 4);
    EXPECT_EQ(inventario["tanques_ausentes"].toInt(), 0);
    EXPECT_EQ(inventario["leituras"].toArray(), ids);
    double medido = 0;
    for (const QJsonValue& total : inventario["totais"].toArray()) {
        medido += total.toObject()["medido"].toDouble();
    }
    EXPECT_DOUBLE_EQ(medido, 18250 + 24000 + 5400 + 2100);
    EXPECT_NE(Texto_Do_Log(*programa).find("Publicação: conectada a mqtts://localhost"),
              std::string::npos);

    ASSERT_TRUE(Esperar(
        [&] { return assinante.Do_Topico(QStringLiteral("alarmes")).size() == leituras.size(); },
        Espera_Mqtt_ms))
        << Texto_Do_Log(*programa);
    std::set<int> tanques;
    for (const QJsonObject& evento : Objetos(assinante.Do_Topico(QStringLiteral("alarmes")))) {
        EXPECT_EQ(evento["evento"].toString(), QStringLiteral("levantado"));
        const QJsonObject alarme = evento["alarme"].toObject();
        EXPECT_EQ(alarme["tipo"].toString(), QStringLiteral("Alto"));
        EXPECT_DOUBLE_EQ(alarme["limite"].toDouble(), 1);
        tanques.insert(alarme["tanque"].toInt());
    }
    EXPECT_EQ(tanques, (std::set<int>{1, 2, 3, 4}));
}

TEST_F(Publicacao_E2e, CorretorParadoProgramaReiniciadoTodaLeituraChega) {
    Preferencias();
    Assinante_Teste assinante(corretor.Config(), Filtro(), true);
    ASSERT_TRUE(assinante.Conectado());
    corretor.Parar();
    ASSERT_TRUE(Abrir_Programa());
    ASSERT_TRUE(Conectar());
    Clicar("MA_Cmd");
    ASSERT_TRUE(Esperar([&] { return Leituras_No_Historico() == 4; }, Espera_Resposta_ms));
    ASSERT_TRUE(Esperar(
        [&] {
            return Texto_Do_Log(*programa).find("Publicação: sem conexão com mqtts://localhost") !=
                   std::string::npos;
        },
        Espera_Resposta_ms))
        << Texto_Do_Log(*programa);

    programa.reset();
    ASSERT_TRUE(Abrir_Programa());
    ASSERT_TRUE(corretor.Iniciar()) << corretor.Erro().toStdString();
    // The first attempt after the restart failed: the next comes within a second or two.
    ASSERT_TRUE(Esperar([&] { return assinante.Do_Topico(QStringLiteral("leituras")).size() >= 4; },
                        Espera_Mqtt_ms))
        << Texto_Do_Log(*programa);
    std::vector<int> tanques;
    for (const QJsonObject& l : Objetos(assinante.Do_Topico(QStringLiteral("leituras")))) {
        tanques.push_back(l["tanque"].toInt());
        EXPECT_EQ(l["comando"].toString().toStdString(), "MA");
    }
    EXPECT_EQ(tanques, (std::vector<int>{1, 2, 3, 4}));
}

// A backlog in the history before the service starts, as after a week without a broker.
void Encher_Historico(const fs::path& base, int leituras, qint64 desde_ms) {
    Conexao_Historico conexao(Arquivo_No_Diretorio(base, Arquivo_Historico), Modo_Conexao::Escrita);
    ASSERT_TRUE(conexao.Aberta());
    QString erro;
    ASSERT_TRUE(Migrar_Esquema(conexao.Banco(), erro)) << erro.toStdString();
    conexao.Banco().transaction();
    QSqlQuery q(conexao.Banco());
    q.prepare(QStringLiteral(
        "INSERT INTO leituras (instante_ms, endereco, comando, tanque, produto, medido,"
        " complementar, unidade, texto_tanque, texto_densidade, texto_capacidade, texto_medido,"
        " texto_complementar, texto_hora, texto_data) VALUES (?, '01', 'MA', ?, 'GASOLINA',"
        " ?, 1000, 'V', '', '', '', '', '', '', '')"));
    for (int i = 0; i < leituras; ++i) {
        q.addBindValue(desde_ms + i);
        q.addBindValue(1 + i % 16);
        q.addBindValue(i);
        ASSERT_TRUE(q.exec());
    }
    conexao.Banco().commit();
}

TEST_F(Publicacao_E2e, ServicoMortoDeixaOfflineEReiniciadoNaoRepeteAlemDaJanela) {
    constexpr int Backlog = 20'000;
    constexpr int Matar_Apos = 2'000;
    Preferencias("[Servico]\nSenha=qx7\n");
    Encher_Historico(base.base, Backlog, 1'796'000'000'000);
    Assinante_Teste assinante(corretor.Config(), Filtro());
    ASSERT_TRUE(assinante.Conectado());
    Socket_Notificacao notificacao(QString::fromStdString((base.base / "notify.sock").string()));

    QProcess servico;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove(QStringLiteral("DISPLAY"));
    ambiente.insert(QStringLiteral("QX7_DIRETORIO_BASE"),
                    QString::fromStdString(base.base.string()));
    ambiente.insert(QStringLiteral("NOTIFY_SOCKET"), notificacao.Caminho());
    servico.setProcessEnvironment(ambiente);
    const auto iniciar = [&] {
        servico.start(QStringLiteral(QX7_PROGRAMA), {QStringLiteral("--servico")});
        return servico.waitForStarted();
    };
    const auto recebidas = [&] { return assinante.Do_Topico(QStringLiteral("leituras")).size(); };
    ASSERT_TRUE(iniciar());
    ASSERT_TRUE(Esperar([&] { return recebidas() >= Matar_Apos; }, Espera_Mqtt_ms))
        << servico.readAll().toStdString();
    ::kill(static_cast<pid_t>(servico.processId()), SIGKILL);
    ASSERT_TRUE(servico.waitForFinished());
    ASSERT_LT(recebidas(), std::size_t{Backlog});  // killed in the middle of the backlog

    // The broker tells the station is gone: its last will, without an instant.
    ASSERT_TRUE(Esperar(
        [&] {
            const auto estados = assinante.Do_Topico(QStringLiteral("estado"));
            return !estados.empty() && estados.back().Json() == QJsonObject{{"estado", "offline"}};
        },
        Espera_Mqtt_ms));

    ASSERT_TRUE(iniciar());
    QSet<QString> ids;
    std::size_t lidas = 0;  // each message read once: the wait stays cheap over 20,000
    ASSERT_TRUE(Esperar(
        [&] {
            const std::vector<Mensagem_Recebida> novas = assinante.Mensagens(lidas);
            lidas += novas.size();
            for (const Mensagem_Recebida& m : novas) {
                if (m.topico.endsWith(QStringLiteral("/leituras"))) {
                    ids.insert(m.Json()["id"].toString());
                }
            }
            return ids.size() == Backlog;
        },
        Espera_Mqtt_ms * 3))
        << ids.size() << "\n"
        << servico.readAll().toStdString();
    const std::size_t repetidas = recebidas() - static_cast<std::size_t>(ids.size());
    EXPECT_LE(repetidas, Janela_Padrao + Janela_Padrao / 2);
    EXPECT_TRUE(Esperar(
        [&] {
            return !notificacao.Estados()
                        .filter(QStringLiteral("publicação conectada a mqtts://localhost"))
                        .isEmpty();
        },
        Espera_Resposta_ms))
        << notificacao.Estados().join('\n').toStdString();

    ::kill(static_cast<pid_t>(servico.processId()), SIGTERM);
    ASSERT_TRUE(servico.waitForFinished(Espera_Resposta_ms));
    const auto estados = assinante.Do_Topico(QStringLiteral("estado"));
    ASSERT_FALSE(estados.empty());
    EXPECT_EQ(estados.back().Json()["estado"].toString().toStdString(), "offline");
    EXPECT_TRUE(estados.back().Json().contains(QStringLiteral("instante")));
}

}  // namespace
}  // namespace qx7::e2e
