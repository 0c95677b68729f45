// The reasons a connection failed, told apart from what libmosquitto and the broker answer:
// the operator reads them in the log, the "Enlace" tab and "Testar conexão".

#include <gtest/gtest.h>
#include <mosquitto.h>
#include <netdb.h>

#include <cerrno>

#include "publish/mqtt_failure.h"

namespace qx7 {
namespace {

using Tipo = Falha_Mqtt::Tipo;

Configuracao_Mqtt Config(bool tls, const QString& ca = {}) {
    Configuracao_Mqtt config;
    config.host = QStringLiteral("central.exemplo");
    config.porta = tls ? 8883 : 1883;
    config.tls = tls;
    config.ca = ca;
    config.estacao = QStringLiteral("posto-7");
    return config;
}

struct Caso_Biblioteca {
    const char* nome;
    int codigo;
    int erro_sistema;
    const char* detalhe;  // the library's last error line
    bool tls;
    const char* ca;
    Tipo tipo;
    const char* trecho;  // part of the text
};

class Falhas_Da_Biblioteca : public ::testing::TestWithParam<Caso_Biblioteca> {};

TEST_P(Falhas_Da_Biblioteca, TipoEMotivo) {
    const Caso_Biblioteca& c = GetParam();
    const Falha_Mqtt falha =
        Falha_Da_Biblioteca(c.codigo, c.erro_sistema, QString::fromUtf8(c.detalhe),
                            Config(c.tls, QString::fromUtf8(c.ca)));
    EXPECT_EQ(falha.tipo, c.tipo);
    EXPECT_TRUE(falha.texto.contains(QString::fromUtf8(c.trecho))) << falha.texto.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Falhas_Da_Biblioteca,
    ::testing::Values(
        Caso_Biblioteca{"Sucesso", MOSQ_ERR_SUCCESS, 0, "", false, "", Tipo::Nenhuma, ""},
        Caso_Biblioteca{"NomeDesconhecido", MOSQ_ERR_EAI, EAI_NONAME, "", false, "", Tipo::Nome,
                        "central.exemplo não foi encontrado (nome desconhecido)"},
        Caso_Biblioteca{"SemDns", MOSQ_ERR_EAI, EAI_AGAIN, "", false, "", Tipo::Nome,
                        "falha temporária"},
        Caso_Biblioteca{"Recusada", MOSQ_ERR_ERRNO, ECONNREFUSED, "", false, "", Tipo::Recusada,
                        "mqtt://central.exemplo:1883 recusou a conexão"},
        Caso_Biblioteca{"PortaComTls", MOSQ_ERR_CONN_LOST, ECONNRESET, "", false, "", Tipo::Perdida,
                        "use mqtts://"},
        Caso_Biblioteca{"SemRota", MOSQ_ERR_ERRNO, ENETUNREACH, "", false, "", Tipo::Rede,
                        "erro de rede com mqtt://central.exemplo:1883"},
        Caso_Biblioteca{"CaEstranha", MOSQ_ERR_TLS, 0,
                        "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed",
                        true, "/etc/qx7/ca.crt", Tipo::Certificado, "pela CA de /etc/qx7/ca.crt"},
        Caso_Biblioteca{"CaDoSistema", MOSQ_ERR_TLS, 0,
                        "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed",
                        true, "", Tipo::Certificado, "nenhuma autoridade (CA) do sistema"},
        Caso_Biblioteca{"OutroNome", MOSQ_ERR_TLS, 0, "Error: host name verification failed.", true,
                        "", Tipo::Certificado, "não vale para o nome central.exemplo"},
        Caso_Biblioteca{"PortaSemTls", MOSQ_ERR_TLS, EPIPE,
                        "OpenSSL Error[0]: error:0A000126:SSL routines::unexpected eof while "
                        "reading",
                        true, "", Tipo::Tls, "use mqtt://"},
        Caso_Biblioteca{"SemResposta", MOSQ_ERR_KEEPALIVE, 0, "", false, "", Tipo::Tempo_Esgotado,
                        "deixou de responder"}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Caso_Connack {
    int codigo;
    Tipo tipo;
    const char* trecho;
};

class Respostas_Ao_Connect : public ::testing::TestWithParam<Caso_Connack> {};

TEST_P(Respostas_Ao_Connect, TipoEMotivo) {
    const Caso_Connack& c = GetParam();
    const Falha_Mqtt falha = Falha_Do_Connack(c.codigo, Config(false));
    EXPECT_EQ(falha.tipo, c.tipo);
    EXPECT_TRUE(falha.texto.contains(QString::fromUtf8(c.trecho))) << falha.texto.toStdString();
}

// MQTT 3.1.1 return codes, then MQTT 5 reason codes; mosquitto answers a wrong password with
// "not authorized" (5, 0x87).
INSTANTIATE_TEST_SUITE_P(
    Casos, Respostas_Ao_Connect,
    ::testing::Values(Caso_Connack{0, Tipo::Nenhuma, ""},
                      Caso_Connack{1, Tipo::Protocolo, "versão do MQTT"},
                      Caso_Connack{2, Tipo::Servidor, "qx7-posto-7"},
                      Caso_Connack{3, Tipo::Servidor, "indisponível"},
                      Caso_Connack{4, Tipo::Autenticacao, "usuário ou senha"},
                      Caso_Connack{5, Tipo::Autenticacao, "usuário ou senha"},
                      Caso_Connack{0x84, Tipo::Protocolo, "versão do MQTT"},
                      Caso_Connack{0x86, Tipo::Autenticacao, "usuário ou senha"},
                      Caso_Connack{0x87, Tipo::Autenticacao, "usuário ou senha"},
                      Caso_Connack{0x8A, Tipo::Servidor, "baniu"},
                      Caso_Connack{0x97, Tipo::Servidor, "código 151"}));

TEST(Falha_Da_Biblioteca, ConexaoAceitaQueCaiEPerdida) {
    const Falha_Mqtt falha =
        Falha_Da_Biblioteca(MOSQ_ERR_CONN_LOST, ECONNRESET, {}, Config(true), true);
    EXPECT_EQ(falha.tipo, Tipo::Perdida);
    EXPECT_TRUE(
        falha.texto.startsWith(QStringLiteral("conexão com mqtts://central.exemplo:8883 "
                                              "perdida")))
        << falha.texto.toStdString();
}

TEST(Versao_Mqtt, SoARecusaDaVersaoLevaAoMqtt311) {
    for (int codigo : {0, 2, 4, 5, 0x80, 0x86, 0x87}) {
        EXPECT_FALSE(Versao_Recusada(codigo)) << codigo;
    }
    EXPECT_TRUE(Versao_Recusada(1));
    EXPECT_TRUE(Versao_Recusada(0x84));
}

}  // namespace
}  // namespace qx7
