// The publisher against Debian's mosquitto: rows arrive in order with their values, the
// retained topics wait for a late subscriber, acknowledged rows are not sent again after a
// restart, a broker down for a while loses nothing, and a refused connection says why and
// publishes nothing.

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QTest>
#include <QVariant>

#include "publish/connection_test.h"
#include "publish/payloads.h"
#include "tests/publish/publisher_fixture.h"

namespace qx7::teste {
namespace {

constexpr qint64 Instante_Base = 1'796'000'000'000;  // 2026-11-30 00:53:20 UTC

std::vector<QJsonObject> Objetos(const std::vector<Mensagem_Recebida>& mensagens) {
    std::vector<QJsonObject> objetos;
    for (const Mensagem_Recebida& m : mensagens) {
        objetos.push_back(m.Json());
    }
    return objetos;
}

bool Chegaram(const Assinante_Teste& assinante, const QString& topico, std::size_t quantas) {
    return QTest::qWaitFor([&] { return assinante.Do_Topico(topico).size() >= quantas; },
                           Espera_Chegada_ms);
}

TEST_F(Publicador_Com_Corretor, LeiturasChegamEmOrdemComSeusValoresEAsRetidasFicam) {
    historico.Inserir_Leitura(
        {.instante_ms = Instante_Base, .tanque = 1, .medido = 1000, .complementar = 3000});
    historico.Inserir_Leitura({.instante_ms = Instante_Base + 1,
                               .tanque = 2,
                               .produto = QStringLiteral("DIESEL S10"),
                               .medido = std::nullopt});
    historico.Inserir_Leitura(
        {.instante_ms = Instante_Base + 60'000, .tanque = 1, .medido = 1500, .complementar = 2500});
    const Configuracao_Mqtt config = corretor.Config(true);
    Assinante_Teste assinante(corretor.Config(), QStringLiteral("qx7/posto-1/#"));
    ASSERT_TRUE(assinante.Conectado());
    auto publicador = Publicar(config, historico.Arquivo());

    ASSERT_TRUE(Chegaram(assinante, QStringLiteral("leituras"), 3));
    const std::vector<QJsonObject> leituras =
        Objetos(assinante.Do_Topico(QStringLiteral("leituras")));
    ASSERT_EQ(leituras.size(), 3U);
    EXPECT_EQ(leituras[0]["id"].toString().toStdString(), "1796000000000-1");
    EXPECT_EQ(leituras[0]["instante"].toString().toStdString(), "2026-11-30T00:53:20.000Z");
    EXPECT_EQ(leituras[0]["percentual"].toDouble(), 25.0);
    EXPECT_EQ(leituras[1]["produto"].toString().toStdString(), "DIESEL S10");
    EXPECT_TRUE(leituras[1]["medido"].isNull());
    EXPECT_TRUE(leituras[1]["percentual"].isNull());
    EXPECT_EQ(leituras[2]["medido"].toDouble(), 1500.0);
    EXPECT_EQ(leituras[2]["percentual"].toDouble(), 37.5);

    // A subscriber that comes later finds each tank's last reading and the station online.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return publicador->Estado().pendentes == 0; }, Espera_Chegada_ms));
    QTest::qWait(200);
    Assinante_Teste tardio(corretor.Config(), QStringLiteral("qx7/posto-1/#"));
    ASSERT_TRUE(Chegaram(tardio, QStringLiteral("estado"), 1));
    ASSERT_TRUE(Chegaram(tardio, QStringLiteral("tanque/2"), 1));
    const std::vector<Mensagem_Recebida> tanque1 = tardio.Do_Topico(QStringLiteral("tanque/1"));
    ASSERT_EQ(tanque1.size(), 1U);
    EXPECT_TRUE(tanque1[0].retida);
    EXPECT_EQ(tanque1[0].Json()["medido"].toDouble(), 1500.0);
    EXPECT_EQ(
        tardio.Do_Topico(QStringLiteral("estado"))[0].Json()["estado"].toString().toStdString(),
        "online");
    EXPECT_TRUE(tardio.Do_Topico(QStringLiteral("leituras")).empty());
    EXPECT_EQ(publicador->Estado().situacao, Situacao_Publicacao::Conectada);
    EXPECT_EQ(publicador->Estado().versao_mqtt, 5);
}

qint64 Cursor_No_Arquivo(Historico_Teste& historico) {
    QSqlQuery q(historico.Banco());
    return q.exec(QStringLiteral(
               "SELECT ultimo_id FROM publicacao_cursores WHERE fluxo = 'leituras'")) &&
                   q.next()
               ? q.value(0).toLongLong()
               : -1;
}

void Inserir_Leituras(Historico_Teste& historico, int quantas, qint64 desde) {
    historico.Banco().transaction();
    for (int i = 0; i < quantas; ++i) {
        historico.Inserir_Leitura({.instante_ms = desde + i, .tanque = 1 + i % 16});
    }
    historico.Banco().commit();
}

TEST_F(Publicador_Com_Corretor, LinhasConfirmadasNaoVoltamAposReiniciar) {
    constexpr int Antes = 600;  // more than two windows
    Inserir_Leituras(historico, Antes, Instante_Base);
    Assinante_Teste assinante(corretor.Config(), QStringLiteral("qx7/posto-1/leituras"));
    ASSERT_TRUE(assinante.Conectado());
    auto publicador = Publicar(corretor.Config(), historico.Arquivo());
    ASSERT_TRUE(Chegaram(assinante, QStringLiteral("leituras"), Antes));
    publicador.reset();
    EXPECT_EQ(Cursor_No_Arquivo(historico), Antes);

    Inserir_Leituras(historico, 5, Instante_Base + Antes);
    Assinante_Teste depois(corretor.Config(), QStringLiteral("qx7/posto-1/leituras"));
    ASSERT_TRUE(depois.Conectado());
    publicador = Publicar(corretor.Config(), historico.Arquivo());
    ASSERT_TRUE(Chegaram(depois, QStringLiteral("leituras"), 5));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return publicador->Estado().pendentes == 0; }, Espera_Chegada_ms));
    const std::vector<QJsonObject> novas = Objetos(depois.Do_Topico(QStringLiteral("leituras")));
    ASSERT_EQ(novas.size(), 5U);
    EXPECT_EQ(novas.front()["id"].toString().toStdString(),
              QStringLiteral("%1-1").arg(Instante_Base + Antes).toStdString());
    EXPECT_EQ(assinante.Do_Topico(QStringLiteral("leituras")).size(), std::size_t{Antes + 5});
}

// The broker down: the readings wait in the history, the log says so once however many
// attempts fail, and once when the connection is back; then every reading arrives, in order.
TEST_F(Publicador_Com_Corretor, CorretorForaDoArNadaSePerde) {
    Assinante_Teste assinante(corretor.Config(), QStringLiteral("qx7/posto-1/leituras"), true);
    ASSERT_TRUE(assinante.Conectado());
    corretor.Parar();
    auto publicador = Publicar(corretor.Config(), historico.Arquivo());
    Inserir_Leituras(historico, 40, Instante_Base);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const Estado_Publicacao e = publicador->Estado();
            return e.situacao == Situacao_Publicacao::Sem_Conexao && e.pendentes == 40;
        },
        Espera_Chegada_ms));
    EXPECT_TRUE(publicador->Estado().ultimo_erro.contains(QStringLiteral("recusou a conexão")))
        << publicador->Estado().ultimo_erro.toStdString();
    QTest::qWait(2000);  // several attempts
    ASSERT_EQ(Linhas().size(), 1) << Linhas().join('\n').toStdString();
    EXPECT_TRUE(
        Linhas()[0].startsWith(QStringLiteral("Publicação: sem conexão com mqtt://127.0.0.1")));

    ASSERT_TRUE(corretor.Iniciar()) << corretor.Erro().toStdString();
    ASSERT_TRUE(Chegaram(assinante, QStringLiteral("leituras"), 40));
    const std::vector<QJsonObject> leituras =
        Objetos(assinante.Do_Topico(QStringLiteral("leituras")));
    for (std::size_t i = 0; i < leituras.size(); ++i) {
        EXPECT_EQ(leituras[i]["instante"].toString(),
                  Instante_Iso(Instante_Base + static_cast<qint64>(i)));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return Linhas().size() == 2; }, Espera_Chegada_ms));
    EXPECT_TRUE(Linhas()[1].contains(QStringLiteral("restabelecida"))) << Linhas()[1].toStdString();
    EXPECT_TRUE(Linhas()[1].contains(QStringLiteral("40 registros"))) << Linhas()[1].toStdString();
}

struct Caso_Recusa {
    const char* nome;
    Falha_Mqtt::Tipo tipo;
    const char* trecho;
    void (*ajustar)(Configuracao_Mqtt& config, const Corretor_Teste& corretor);
};

class Conexao_Recusada : public Publicador_Com_Corretor,
                         public ::testing::WithParamInterface<Caso_Recusa> {};

// "Testar conexão" and the publisher say why, and nothing reaches the broker.
TEST_P(Conexao_Recusada, DizOMotivoENadaPublica) {
    const Caso_Recusa& caso = GetParam();
    Configuracao_Mqtt config = corretor.Config(true);
    caso.ajustar(config, corretor);
    Inserir_Leituras(historico, 3, Instante_Base);
    Assinante_Teste assinante(corretor.Config(), QStringLiteral("qx7/#"));
    ASSERT_TRUE(assinante.Conectado());

    const Falha_Mqtt teste = Testar_Conexao(config);
    EXPECT_EQ(teste.tipo, caso.tipo);
    EXPECT_TRUE(teste.texto.contains(QString::fromUtf8(caso.trecho))) << teste.texto.toStdString();

    auto publicador = Publicar(config, historico.Arquivo());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return publicador->Estado().situacao == Situacao_Publicacao::Sem_Conexao; }));
    QTest::qWait(1000);
    EXPECT_EQ(publicador->Estado().ultimo_erro, teste.texto);
    EXPECT_EQ(publicador->Estado().pendentes, 3);
    EXPECT_TRUE(assinante.Mensagens().empty());
    ASSERT_EQ(Linhas().size(), 1);
    EXPECT_TRUE(Linhas()[0].contains(teste.texto)) << Linhas()[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Conexao_Recusada,
    ::testing::Values(
        Caso_Recusa{"SenhaErrada", Falha_Mqtt::Tipo::Autenticacao, "usuário ou senha recusados",
                    [](Configuracao_Mqtt& c, const Corretor_Teste&) {
                        c.senha = QStringLiteral("errada");
                    }},
        Caso_Recusa{"CaQueNaoAssinouOCorretor", Falha_Mqtt::Tipo::Certificado,
                    "não foi assinado pela CA de",
                    [](Configuracao_Mqtt& c, const Corretor_Teste& corretor) {
                        c.ca = corretor.Ca_Estranha();
                    }},
        Caso_Recusa{"CaDoSistema", Falha_Mqtt::Tipo::Certificado,
                    "nenhuma autoridade (CA) do sistema",
                    [](Configuracao_Mqtt& c, const Corretor_Teste&) { c.ca.clear(); }},
        Caso_Recusa{"NomeQueOCertificadoNaoTem", Falha_Mqtt::Tipo::Certificado,
                    "não vale para o nome 127.0.0.1",
                    [](Configuracao_Mqtt& c, const Corretor_Teste&) {
                        c.host = QStringLiteral("127.0.0.1");
                    }},
        Caso_Recusa{"NinguemNaPorta", Falha_Mqtt::Tipo::Recusada, "recusou a conexão",
                    [](Configuracao_Mqtt& c, const Corretor_Teste&) {
                        c.porta = Corretor_Teste::Porta_Livre();
                    }},
        Caso_Recusa{"TlsNaPortaSemTls", Falha_Mqtt::Tipo::Tls, "use mqtt://",
                    [](Configuracao_Mqtt& c, const Corretor_Teste& corretor) {
                        c.porta = corretor.Config(false).porta;
                    }},
        Caso_Recusa{"NomeDesconhecido", Falha_Mqtt::Tipo::Nome, "não foi encontrado",
                    [](Configuracao_Mqtt& c, const Corretor_Teste&) {
                        c.host = QStringLiteral("corretor.invalid");
                    }}),
    [](const auto& info) { return std::string(info.param.nome); });

// No history: the readings handed over wait in a bounded queue while the broker is away; the
// oldest are dropped and counted, the newest arrive once it is back.
TEST_F(Publicador_Com_Corretor, SemHistoricoPublicaAoVivoDaFilaLimitada) {
    Assinante_Teste assinante(corretor.Config(), QStringLiteral("qx7/posto-1/#"), true);
    ASSERT_TRUE(assinante.Conectado());
    corretor.Parar();
    auto publicador = Publicar(corretor.Config(), QString(), 3);
    for (const char* tanque : {"1", "2", "3", "4", "5"}) {
        publicador->Leitura_Ao_Vivo({.endereco = "01",
                                     .comando = "MT",
                                     .tanque = tanque,
                                     .densidade = "0.75",
                                     .produto = "GASOLINA",
                                     .capacidade = "4000",
                                     .medido = "1000",
                                     .complementar = "3000",
                                     .hora = "10:00",
                                     .data = "30/11/26",
                                     .peso = false,
                                     .quadro = {}},
                                    Instante_Base);
    }
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return publicador->Estado().descartadas == 2; }, Espera_Chegada_ms));
    EXPECT_EQ(publicador->Estado().pendentes, 3);
    ASSERT_TRUE(corretor.Iniciar()) << corretor.Erro().toStdString();
    ASSERT_TRUE(Chegaram(assinante, QStringLiteral("leituras"), 3));
    std::vector<int> tanques;
    for (const QJsonObject& l : Objetos(assinante.Do_Topico(QStringLiteral("leituras")))) {
        tanques.push_back(l["tanque"].toInt());
    }
    EXPECT_EQ(tanques, (std::vector<int>{3, 4, 5}));
    ASSERT_TRUE(Chegaram(assinante, QStringLiteral("tanque/5"), 1));
}

}  // namespace
}  // namespace qx7::teste
