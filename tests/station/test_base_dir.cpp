#include "station/base_dir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>

namespace qx7 {
namespace {

std::filesystem::path Caminho(const QString& texto) {
    return std::filesystem::path(texto.toStdU16String());
}

// Saves the variables the base directory depends on and puts them back afterwards.
class Diretorio_Base_Teste : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* nome : {"QX7_DIRETORIO_BASE", "XDG_CONFIG_HOME", "HOME"}) {
            salvas_.push_back({nome, qEnvironmentVariableIsSet(nome), qgetenv(nome)});
        }
        qunsetenv("QX7_DIRETORIO_BASE");
    }

    void TearDown() override {
        for (const Salva& s : salvas_) {
            if (s.definida) {
                qputenv(s.nome, s.valor);
            } else {
                qunsetenv(s.nome);
            }
        }
    }

  private:
    struct Salva {
        const char* nome;
        bool definida;
        QByteArray valor;
    };
    std::vector<Salva> salvas_;
};

TEST_F(Diretorio_Base_Teste, VariavelDeAmbienteSobrepoe) {
    qputenv("XDG_CONFIG_HOME", "/xdg");
    qputenv("QX7_DIRETORIO_BASE", "/opt/portátil/qx7/");
    EXPECT_EQ(Diretorio_Base_Padrao(), std::filesystem::path(u8"/opt/portátil/qx7/"));
}

TEST_F(Diretorio_Base_Teste, VariavelVaziaNaoSobrepoe) {
    qputenv("XDG_CONFIG_HOME", "/xdg");
    qputenv("QX7_DIRETORIO_BASE", "");
    EXPECT_EQ(Diretorio_Base_Padrao(), std::filesystem::path(u8"/xdg/Comunicação QX7/"));
}

TEST_F(Diretorio_Base_Teste, XdgConfigHome) {
    qputenv("XDG_CONFIG_HOME", "/xdg/cfg");
    EXPECT_EQ(Diretorio_Base_Padrao(), std::filesystem::path(u8"/xdg/cfg/Comunicação QX7/"));
}

TEST_F(Diretorio_Base_Teste, SemXdgUsaConfigDaPastaPessoal) {
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", "/home/operador");
    EXPECT_EQ(Diretorio_Base_Padrao(),
              std::filesystem::path(u8"/home/operador/.config/Comunicação QX7/"));
}

TEST_F(Diretorio_Base_Teste, XdgRelativoEIgnorado) {
    qputenv("XDG_CONFIG_HOME", "relativo");
    qputenv("HOME", "/home/operador");
    EXPECT_EQ(Diretorio_Base_Padrao(),
              std::filesystem::path(u8"/home/operador/.config/Comunicação QX7/"));
}

TEST(Arquivo_Configuracao, NomeDentroDaBase) {
    EXPECT_EQ(Arquivo_Configuracao(u8"/base/Comunicação QX7/"),
              std::filesystem::path(u8"/base/Comunicação QX7/Configuração.TXT"));
    EXPECT_EQ(Arquivo_Configuracao("/base"), std::filesystem::path(u8"/base/Configuração.TXT"));
}

class Dispositivo_COM_Teste : public ::testing::Test {
  protected:
    QTemporaryDir temporario;
    std::filesystem::path base = Caminho(temporario.path());
};

struct Sem_Entrada {
    int n;
    const char* dispositivo;
};

class Numeros_Sem_Entrada : public Dispositivo_COM_Teste,
                            public ::testing::WithParamInterface<Sem_Entrada> {};

TEST_P(Numeros_Sem_Entrada, PortaSerialDoSistema) {
    EXPECT_EQ(Resolver_COM(base, GetParam().n).caminho,
              QString::fromLatin1(GetParam().dispositivo));
}

INSTANTIATE_TEST_SUITE_P(Portas, Numeros_Sem_Entrada,
                         ::testing::Values(Sem_Entrada{1, "/dev/ttyS0"},
                                           Sem_Entrada{3, "/dev/ttyS2"},
                                           Sem_Entrada{31, "/dev/ttyS30"}));

TEST_F(Dispositivo_COM_Teste, EntradaComNLevaAoDispositivoLigado) {
    const std::filesystem::path alvo = base / "dispositivo";
    QFile(QString::fromStdU16String(alvo.u16string())).open(QIODevice::WriteOnly);
    std::filesystem::create_symlink(alvo, base / "COM3");
    EXPECT_EQ(Resolver_COM(base, 3).caminho,
              QString::fromStdU16String(std::filesystem::canonical(alvo).u16string()));
    EXPECT_EQ(Resolver_COM(base, 4).caminho, QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(Resolver_COM(base, 13).caminho, QStringLiteral("/dev/ttyS12"));
}

TEST_F(Dispositivo_COM_Teste, LigacaoRelativaComoNoWine) {
    QFile(QString::fromStdU16String((base / "ttyUSB0").u16string())).open(QIODevice::WriteOnly);
    std::filesystem::create_symlink("ttyUSB0", base / "com2");
    EXPECT_EQ(Resolver_COM(base, 2).caminho,
              QString::fromStdU16String(std::filesystem::canonical(base / "ttyUSB0").u16string()));
}

TEST_F(Dispositivo_COM_Teste, LigacaoQuebradaAguardaODispositivo) {
    // Never some unrelated serial port of the machine: the entry waits for its own device.
    std::filesystem::create_symlink(base / "sumiu", base / "COM5");
    const Dispositivo_COM resolvido = Resolver_COM(base, 5);
    EXPECT_EQ(resolvido.situacao, Dispositivo_COM::Situacao::Aguardando);
    EXPECT_EQ(resolvido.caminho, QString::fromStdU16String((base / "COM5").u16string()));
    EXPECT_TRUE(resolvido.motivo.contains(QStringLiteral("sumiu")))
        << resolvido.motivo.toStdString();
}

}  // namespace
}  // namespace qx7
