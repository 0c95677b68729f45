// [Publicacao] checked before anything is published: the address, the TLS files, the names of
// the topics, and security by default (a password in clear only to this machine, or where the
// operator allowed it; a file others may read refused).

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "station/publication_settings.h"

namespace qx7 {
namespace {

struct Caso_Validacao {
    const char* nome;
    Campos_Publicacao campos;
    const char* recusa;  // part of the reason; empty: accepted
    const char* host;
    int porta;
    bool tls;
    const char* topico;  // Topico("leituras")
    bool aviso;
};

class Validacao : public ::testing::TestWithParam<Caso_Validacao> {};

TEST_P(Validacao, AceitaOuDizPorQue) {
    const Caso_Validacao& c = GetParam();
    const Leitura_Publicacao lida = Validar_Publicacao(c.campos, QStringLiteral("maquina-7"));
    EXPECT_TRUE(lida.presente);
    if (*c.recusa != '\0') {
        EXPECT_FALSE(lida.config.has_value());
        EXPECT_TRUE(lida.recusa.contains(QString::fromUtf8(c.recusa))) << lida.recusa.toStdString();
        return;
    }
    ASSERT_TRUE(lida.config.has_value()) << lida.recusa.toStdString();
    EXPECT_EQ(lida.config->host.toStdString(), c.host);
    EXPECT_EQ(lida.config->porta, c.porta);
    EXPECT_EQ(lida.config->tls, c.tls);
    EXPECT_EQ(lida.config->Topico(QStringLiteral("leituras")).toStdString(), c.topico);
    EXPECT_EQ(!lida.aviso.isEmpty(), c.aviso) << lida.aviso.toStdString();
}

Campos_Publicacao Servidor(const char* url, const char* senha = "") {
    return {.servidor = QString::fromUtf8(url),
            .usuario = *senha != '\0' ? QStringLiteral("posto") : QString(),
            .senha = QString::fromUtf8(senha)};
}

Campos_Publicacao Com(Campos_Publicacao campos, void (*mudar)(Campos_Publicacao&)) {
    mudar(campos);
    return campos;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Validacao,
    ::testing::Values(
        Caso_Validacao{"PortaPadraoMqtt", Servidor("mqtt://central"), "", "central", 1883, false,
                       "qx7/maquina-7/leituras", false},
        Caso_Validacao{"PortaPadraoMqtts", Servidor("mqtts://central", "s"), "", "central", 8883,
                       true, "qx7/maquina-7/leituras", false},
        Caso_Validacao{"PortaDada", Servidor("MQTTS://central:9000"), "", "central", 9000, true,
                       "qx7/maquina-7/leituras", false},
        Caso_Validacao{"Ipv6", Servidor("mqtt://[::1]:1884", "s"), "", "::1", 1884, false,
                       "qx7/maquina-7/leituras", false},
        Caso_Validacao{"NomesDados",
                       Com(Servidor("mqtt://central"),
                           [](Campos_Publicacao& c) {
                               c.estacao = QStringLiteral("Posto Centro");
                               c.prefixo = QStringLiteral("rede/sul");
                           }),
                       "", "central", 1883, false, "rede/sul/Posto Centro/leituras", false},
        Caso_Validacao{"SenhaEmClaroParaEstaMaquina", Servidor("mqtt://127.0.0.1:1883", "s"), "",
                       "127.0.0.1", 1883, false, "qx7/maquina-7/leituras", false},
        Caso_Validacao{"SenhaEmClaroParaLocalhost", Servidor("mqtt://LocalHost", "s"), "",
                       "localhost", 1883, false, "qx7/maquina-7/leituras", false},
        Caso_Validacao{"SenhaEmClaroParaOutraMaquina", Servidor("mqtt://10.0.0.5", "s"),
                       "sem criptografia para mqtt://10.0.0.5:1883", "", 0, false, "", false},
        Caso_Validacao{"SenhaEmClaroPermitida",
                       Com(Servidor("mqtt://10.0.0.5", "s"),
                           [](Campos_Publicacao& c) { c.permitir_sem_tls = true; }),
                       "", "10.0.0.5", 1883, false, "qx7/maquina-7/leituras", true},
        Caso_Validacao{"QuaseLoopback", Servidor("mqtt://127.0.0.1.exemplo", "s"),
                       "sem criptografia", "", 0, false, "", false},
        Caso_Validacao{"SemServidor", Servidor(""), "sem Servidor", "", 0, false, "", false},
        Caso_Validacao{"OutroEsquema", Servidor("http://central"), "não é mqtt://", "", 0, false,
                       "", false},
        Caso_Validacao{"CredenciaisNoEndereco", Servidor("mqtts://posto:s@central"),
                       "Usuario e Senha", "", 0, false, "", false},
        Caso_Validacao{"SenhaSemUsuario",
                       Com(Servidor("mqtts://central"),
                           [](Campos_Publicacao& c) { c.senha = QStringLiteral("s"); }),
                       "Senha mas não Usuario", "", 0, false, "", false},
        Caso_Validacao{"CaSemTls",
                       Com(Servidor("mqtt://central"),
                           [](Campos_Publicacao& c) { c.ca = QStringLiteral("/etc/hosts"); }),
                       "só valem com mqtts://", "", 0, false, "", false},
        Caso_Validacao{
            "CertificadoSemChave",
            Com(Servidor("mqtts://central"),
                [](Campos_Publicacao& c) { c.certificado = QStringLiteral("/etc/hosts"); }),
            "falta Chave", "", 0, false, "", false},
        Caso_Validacao{"CaQueNaoExiste",
                       Com(Servidor("mqtts://central"),
                           [](Campos_Publicacao& c) { c.ca = QStringLiteral("/nao/ha/ca.crt"); }),
                       "/nao/ha/ca.crt de [Publicacao] não existe", "", 0, false, "", false},
        Caso_Validacao{"EstacaoComBarra",
                       Com(Servidor("mqtt://central"),
                           [](Campos_Publicacao& c) { c.estacao = QStringLiteral("a/b"); }),
                       "Estacao=a/b", "", 0, false, "", false},
        Caso_Validacao{"PrefixoCuringa",
                       Com(Servidor("mqtt://central"),
                           [](Campos_Publicacao& c) { c.prefixo = QStringLiteral("qx7/#"); }),
                       "não podem ter +, #", "", 0, false, "", false}),
    [](const auto& info) { return std::string(info.param.nome); });

class Arquivo_Publicacao : public ::testing::Test {
  protected:
    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("Preferencias.ini"));

    void Escrever(const char* conteudo, QFileDevice::Permissions permissoes) {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
        f.close();
        ASSERT_TRUE(f.setPermissions(permissoes));
    }

    static constexpr QFileDevice::Permissions Dono =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    static constexpr QFileDevice::Permissions Todos =
        Dono | QFileDevice::ReadGroup | QFileDevice::ReadOther;
};

TEST_F(Arquivo_Publicacao, SemOGrupoNadaEPublicado) {
    Escrever("[Servico]\nSenha=qx7\n", Dono);
    const Leitura_Publicacao lida = Ler_Publicacao(arquivo);
    EXPECT_FALSE(lida.presente);
    EXPECT_FALSE(lida.config.has_value());
    EXPECT_TRUE(lida.recusa.isEmpty());
}

TEST_F(Arquivo_Publicacao, SenhaNumArquivoQueOutrosLeemERecusada) {
    Escrever("[Publicacao]\nServidor=mqtts://central\nUsuario=posto\nSenha=s\n", Todos);
    const Leitura_Publicacao lida = Ler_Publicacao(arquivo);
    EXPECT_FALSE(lida.config.has_value());
    EXPECT_TRUE(lida.recusa.contains(QStringLiteral("chmod 600"))) << lida.recusa.toStdString();
    EXPECT_TRUE(lida.recusa.contains(QStringLiteral("0644"))) << lida.recusa.toStdString();

    // Without a password the same file is fine.
    Escrever("[Publicacao]\nServidor=mqtts://central\n", Todos);
    EXPECT_TRUE(Ler_Publicacao(arquivo).config.has_value());
}

TEST_F(Arquivo_Publicacao, GravadoComSenhaSoODonoLeERelidoIgual) {
    Escrever("[Historico]\nLeituraAutomaticaMinutos=5\n", Todos);
    const Campos_Publicacao campos{.servidor = QStringLiteral("mqtts://central:8884"),
                                   .usuario = QStringLiteral("posto"),
                                   .senha = QStringLiteral("s3gr3d0"),
                                   .ca = {},
                                   .certificado = {},
                                   .chave = {},
                                   .estacao = QStringLiteral("Posto Centro"),
                                   .prefixo = {},
                                   .permitir_sem_tls = false};
    QString erro;
    ASSERT_TRUE(Gravar_Publicacao(arquivo, campos, erro)) << erro.toStdString();
    EXPECT_EQ(QFile::permissions(arquivo) & Todos, Dono);
    const std::optional<Campos_Publicacao> relidos = Ler_Campos_Publicacao(arquivo);
    ASSERT_TRUE(relidos.has_value());
    EXPECT_EQ(relidos->servidor, campos.servidor);
    EXPECT_EQ(relidos->senha, campos.senha);
    EXPECT_EQ(relidos->estacao, campos.estacao);
    EXPECT_TRUE(Ler_Publicacao(arquivo).config.has_value());
    // The rest of the file is left as it was.
    EXPECT_EQ(QSettings(arquivo, QSettings::IniFormat)
                  .value(QStringLiteral("Historico/LeituraAutomaticaMinutos"))
                  .toInt(),
              5);

    // An empty address turns publishing off.
    ASSERT_TRUE(Gravar_Publicacao(arquivo, {}, erro));
    EXPECT_FALSE(Ler_Campos_Publicacao(arquivo).has_value());
}

}  // namespace
}  // namespace qx7
