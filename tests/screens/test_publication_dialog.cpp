// The "Publicação" dialog over a Preferencias.ini of its own: the settings shown as the file
// has them, refused with the station's reason before anything is saved, saved for the owner
// only and read again by the station; "Testar conexão" says what failed (each reason against a
// real broker is the publisher's tests'). The "Enlace" tab shows the publishing's state and
// opens the dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "screens/history/link_tab.h"
#include "screens/publication/publication_dialog.h"
#include "tests/screens/history_window_fixture.h"

namespace qx7::teste {
namespace {

constexpr int Espera_Teste_ms = 15'000;

class Dialogo : public ::testing::Test {
  protected:
    void SetUp() override {
        QFile f(servicos.arquivo_preferencias);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Publicacao]\nServidor=mqtts://central:8884\nEstacao=Posto 7\n");
    }

    Dialogo_Publicacao& Abrir() {
        dialogo = std::make_unique<Dialogo_Publicacao>(servicos);
        dialogo->show();
        return *dialogo;
    }

    void Escrever(const char* campo, const QString& texto) {
        Achar<QLineEdit>(*dialogo, campo).setText(texto);
    }

    QString Resultado() { return Achar<QLabel>(*dialogo, "Resultado").text(); }

    // Clicks "Testar conexão" and waits for its answer.
    QString Testar() {
        auto& testar = Achar<QPushButton>(*dialogo, "Testar_Conexao");
        testar.click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return testar.isEnabled(); }, Espera_Teste_ms));
        return Resultado();
    }

    QTemporaryDir pasta;
    int relidas = 0;
    Servicos_Publicacao servicos{
        .estado = {},
        .arquivo_preferencias = pasta.filePath(QStringLiteral("Preferencias.ini")),
        .reler = [this] { ++relidas; }};
    std::unique_ptr<Dialogo_Publicacao> dialogo;
};

TEST_F(Dialogo, MostraOArquivoERecusaComOMotivoSemGravar) {
    Abrir();
    EXPECT_EQ(Achar<QLineEdit>(*dialogo, "Servidor").text(),
              QStringLiteral("mqtts://central:8884"));
    EXPECT_EQ(Achar<QLineEdit>(*dialogo, "Estacao").text(), QStringLiteral("Posto 7"));
    EXPECT_EQ(Achar<QLineEdit>(*dialogo, "Senha").echoMode(), QLineEdit::Password);

    Escrever("Servidor", QStringLiteral("mqtt://10.1.2.3"));
    Escrever("Usuario", QStringLiteral("posto"));
    Escrever("Senha", QStringLiteral("s"));
    Achar<QPushButton>(*dialogo, "Gravar").click();
    EXPECT_TRUE(dialogo->isVisible());
    EXPECT_TRUE(Resultado().contains(QStringLiteral("sem criptografia")))
        << Resultado().toStdString();
    EXPECT_EQ(relidas, 0);
    EXPECT_EQ(Ler_Campos_Publicacao(servicos.arquivo_preferencias)->servidor,
              QStringLiteral("mqtts://central:8884"));

    // Allowed by the operator, it is saved, for the owner only, and the station reads it.
    Achar<QCheckBox>(*dialogo, "PermitirSemTLS").setChecked(true);
    Achar<QPushButton>(*dialogo, "Gravar").click();
    EXPECT_EQ(dialogo->result(), QDialog::Accepted);
    EXPECT_EQ(relidas, 1);
    const std::optional<Campos_Publicacao> gravados =
        Ler_Campos_Publicacao(servicos.arquivo_preferencias);
    ASSERT_TRUE(gravados.has_value());
    EXPECT_EQ(gravados->servidor, QStringLiteral("mqtt://10.1.2.3"));
    EXPECT_EQ(gravados->senha, QStringLiteral("s"));
    EXPECT_TRUE(gravados->permitir_sem_tls);
    EXPECT_EQ(QFile::permissions(servicos.arquivo_preferencias) &
                  (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions{});
}

TEST_F(Dialogo, ServidorVazioDesligaAPublicacao) {
    Abrir();
    Escrever("Servidor", {});
    Achar<QPushButton>(*dialogo, "Gravar").click();
    EXPECT_EQ(dialogo->result(), QDialog::Accepted);
    EXPECT_FALSE(Ler_Campos_Publicacao(servicos.arquivo_preferencias).has_value());
    EXPECT_EQ(relidas, 1);
}

TEST_F(Dialogo, TestarConexaoDizOQueFalhou) {
    Abrir();
    Escrever("Servidor", QStringLiteral("mqtt://127.0.0.1:1"));
    EXPECT_TRUE(Testar().contains(QStringLiteral("recusou a conexão")))
        << Resultado().toStdString();
    Escrever("Servidor", QStringLiteral("mqtt://nada.invalid:1883"));
    EXPECT_TRUE(Testar().contains(QStringLiteral("não foi encontrado")))
        << Resultado().toStdString();
    // Nothing was saved by testing.
    EXPECT_EQ(Ler_Campos_Publicacao(servicos.arquivo_preferencias)->servidor,
              QStringLiteral("mqtts://central:8884"));
}

TEST(Aba_Enlace_Publicacao, MostraOEstadoEAbreODialogo) {
    Historico_Teste historico;
    Programa programa;
    QTemporaryDir pasta;
    Estado_Publicacao estado{.situacao = Situacao_Publicacao::Sem_Conexao,
                             .servidor = QStringLiteral("mqtts://central:8883"),
                             .ultimo_erro = QStringLiteral("usuário ou senha recusados"),
                             .pendentes = 42};
    Servicos_Historico servicos = Servicos(historico.Arquivo(), programa);
    servicos.publicacao = {
        .estado = [&estado] { return estado; },
        .arquivo_preferencias = pasta.filePath(QStringLiteral("Preferencias.ini")),
        .reler = {}};
    Aba_Enlace aba(servicos);
    const QString texto = Achar<QLabel>(aba, "Estado_Publicacao").text();
    EXPECT_TRUE(texto.contains(QStringLiteral("sem conexão com mqtts://central:8883")))
        << texto.toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral("usuário ou senha recusados")));
    EXPECT_TRUE(texto.contains(QStringLiteral("42 à espera")));

    // Back: the state is kept current, and the last failure still said.
    estado.situacao = Situacao_Publicacao::Conectada;
    estado.pendentes = 0;
    estado.versao_mqtt = 5;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Achar<QLabel>(aba, "Estado_Publicacao").text().contains(QStringLiteral("conectada"));
    }));
    EXPECT_TRUE(Achar<QLabel>(aba, "Estado_Publicacao")
                    .text()
                    .endsWith(QStringLiteral("(MQTT 5), 0 à espera; último erro: usuário ou senha "
                                             "recusados")))
        << Achar<QLabel>(aba, "Estado_Publicacao").text().toStdString();

    QString aberto;
    QTimer::singleShot(0, [&] {
        if (QWidget* tela = QApplication::activeModalWidget()) {
            aberto = tela->objectName();
            tela->close();
        }
    });
    Achar<QPushButton>(aba, "Abrir_Publicacao").click();
    EXPECT_EQ(aberto, QStringLiteral("Publicacao"));

    // The window alone publishes nothing: no state, no button.
    const Servicos_Historico sozinha = Servicos(historico.Arquivo(), programa);
    Aba_Enlace sem(sozinha);
    EXPECT_EQ(sem.findChild<QLabel*>(QStringLiteral("Estado_Publicacao")), nullptr);
    EXPECT_EQ(sem.findChild<QPushButton*>(QStringLiteral("Abrir_Publicacao")), nullptr);
}

}  // namespace
}  // namespace qx7::teste
