#include "station/base_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "tests/support/pty.h"

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
    teste::Pseudo_Terminal terminal;
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
    std::filesystem::create_symlink(terminal.Caminho_Escravo(), base / "COM3");
    const Dispositivo_COM resolvido = Resolver_COM(base, 3);
    EXPECT_EQ(resolvido.situacao, Dispositivo_COM::Situacao::Pronto)
        << resolvido.motivo.toStdString();
    EXPECT_EQ(resolvido.caminho, QString::fromStdString(terminal.Caminho_Escravo()));
    EXPECT_EQ(Resolver_COM(base, 4).caminho, QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(Resolver_COM(base, 13).caminho, QStringLiteral("/dev/ttyS12"));
}

TEST_F(Dispositivo_COM_Teste, LigacaoRelativaComoNoWine) {
    std::filesystem::create_symlink(terminal.Caminho_Escravo(), base / "terminal");
    std::filesystem::create_symlink("terminal", base / "com2");
    EXPECT_EQ(Resolver_COM(base, 2).caminho, QString::fromStdString(terminal.Caminho_Escravo()));
}

// Who owns the entry COM3, as far as the resolution for `usuario` is concerned.
enum class Dono { Usuario, Outro, Root };

struct Caso_Entrada {
    const char* nome;
    const char* ligacao;  // nullptr: the test's pseudo-terminal
    Dono dono;
    mode_t modo_base;
    Dispositivo_COM::Situacao situacao;
    const char* trecho;  // of the reason; nullptr when ready
};

constexpr mode_t Base_Privada = 0700;
constexpr uid_t Outro_Usuario = 4321;
constexpr uid_t Root = 0;

const Caso_Entrada Casos_Entrada[] = {
    {"Terminal", nullptr, Dono::Usuario, Base_Privada, Dispositivo_COM::Situacao::Pronto, nullptr},
    {"DeRootServeATodos", nullptr, Dono::Root, Base_Privada, Dispositivo_COM::Situacao::Pronto,
     nullptr},
    {"DeOutroUsuario", nullptr, Dono::Outro, Base_Privada, Dispositivo_COM::Situacao::Recusado,
     "pertence ao usuário"},
    {"PastaQueTodosAlteram", nullptr, Dono::Usuario, 0777, Dispositivo_COM::Situacao::Recusado,
     "qualquer usuário"},
    {"PastaComumComoTmp", nullptr, Dono::Usuario, 01777, Dispositivo_COM::Situacao::Pronto,
     nullptr},
    {"DispositivoQueNaoETerminal", "/dev/null", Dono::Usuario, Base_Privada,
     Dispositivo_COM::Situacao::Recusado, "não é um terminal serial"},
    {"ArquivoComum", "arquivo", Dono::Usuario, Base_Privada, Dispositivo_COM::Situacao::Recusado,
     "não é um dispositivo serial"},
    {"NomeDoKernelMesmoAusente", "/dev/ttyUSB7", Dono::Usuario, Base_Privada,
     Dispositivo_COM::Situacao::Recusado, "Configurar Programa"},
    {"NomeEstavelAindaAusente", "/dev/serial/by-id/usb-qx7-nao-ligado", Dono::Usuario, Base_Privada,
     Dispositivo_COM::Situacao::Aguardando, "ainda não existe"},
};

class Entradas_COM_Seguras : public Dispositivo_COM_Teste,
                             public ::testing::WithParamInterface<Caso_Entrada> {};

TEST_P(Entradas_COM_Seguras, SoUmTerminalDeQuemUsaOuDeRoot) {
    const Caso_Entrada& caso = GetParam();
    const bool root = ::geteuid() == Root;
    std::ofstream(base / "arquivo").put('x');
    const std::filesystem::path entrada = base / "COM3";
    std::filesystem::create_symlink(caso.ligacao != nullptr
                                        ? std::filesystem::path(caso.ligacao)
                                        : std::filesystem::path(terminal.Caminho_Escravo()),
                                    entrada);
    ASSERT_EQ(::chmod(base.c_str(), caso.modo_base), 0);

    // The entry belongs to whoever runs the test; the user it is resolved for varies.
    uid_t usuario = ::geteuid();
    if (caso.dono == Dono::Outro) {
        if (root) {
            ASSERT_EQ(::lchown(entrada.c_str(), Outro_Usuario, Outro_Usuario), 0);
        } else {
            usuario = ::geteuid() + 1;
        }
    } else if (caso.dono == Dono::Root) {
        if (!root) {
            GTEST_SKIP() << "only root can own an entry made by root";
        }
        usuario = Outro_Usuario;
    }

    const Dispositivo_COM resolvido = Resolver_COM(base, 3, usuario);
    EXPECT_EQ(resolvido.situacao, caso.situacao) << resolvido.motivo.toStdString();
    if (caso.trecho == nullptr) {
        EXPECT_EQ(resolvido.caminho, QString::fromStdString(terminal.Caminho_Escravo()));
        EXPECT_TRUE(resolvido.motivo.isEmpty());
    } else {
        EXPECT_EQ(resolvido.caminho, QString::fromStdU16String(entrada.u16string()));
        EXPECT_TRUE(resolvido.motivo.contains(QString::fromUtf8(caso.trecho)))
            << resolvido.motivo.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Donos, Entradas_COM_Seguras, ::testing::ValuesIn(Casos_Entrada),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7
