// The publisher against Debian's mosquitto: rows arrive in order with their values, the
// retained topics wait for a late subscriber, acknowledged rows are not sent again after a
// restart, a broker down for a while loses nothing, and a refused connection says why and
// publishes nothing.

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QTest>
#include <QVariant>

#include "publish/connection_test.h"
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return publicador->Estado().pendentes == 0; }));
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

}  // namespace
}  // namespace qx7::teste
