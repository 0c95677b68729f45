// The program's start-up and run against what goes wrong around it: configuration files that
// name no usable port, a base directory that cannot be written, a port held by someone else,
// a port whose device goes away while open. None of them may end the program by accident.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/startup_qt.h"
#include "link/frame.h"
#include "station/base_dir.h"
#include "station/serial_port_qt.h"
#include "station/startup.h"
#include "tests/e2e/program_session.h"
#include "tests/e2e/qt_printers.h"
#include "tests/support/cpu_time.h"
#include "tests/support/pty.h"
#include "text/qt_1252.h"

namespace qx7::e2e {
namespace {

namespace fs = std::filesystem;

// The program over `base` with the start-up's questions answered by the test: what the
// configuration screen does, and Sim or Não to the way-out question.
struct Programa_Com_Ganchos {
    explicit Programa_Com_Ganchos(fs::path base_programa) : base(std::move(base_programa)) {}

    // `tela_real`: the real configuration screen instead of `configurar`.
    bool Iniciar(bool tela_real = false) {
        programa = std::make_unique<Programa>(base, [this, tela_real](Variaveis_Programa& v) {
            Servicos_Form1 servicos = Servicos_Do_Programa(v);
            if (!tela_real) {
                servicos.abrir_configuracao = [this](QWidget*) {
                    ++configuracoes;
                    return configurar ? configurar() : false;
                };
            }
            servicos.confirmar_saida = [this](QWidget*) {
                ++perguntas;
                return sair;
            };
            servicos.encerrar = [this] { ++encerramentos; };
            return servicos;
        });
        return programa->Iniciar();
    }

    fs::path base;
    std::function<bool()> configurar;
    bool sair = true;
    int configuracoes = 0;
    int perguntas = 0;
    int encerramentos = 0;
    std::unique_ptr<Programa> programa;
};

// A pseudo-terminal linked as COM1 in the base directory.
struct Com1_Pty {
    explicit Com1_Pty(const fs::path& base) {
        fs::create_symlink(terminal.Caminho_Escravo(), base / "COM1");
    }
    teste::Pseudo_Terminal terminal;
};

void Gravar(const fs::path& arquivo, const std::string& conteudo) {
    std::ofstream(arquivo, std::ios::binary | std::ios::trunc) << conteudo;
}

struct Caso_Configuracao {
    const char* nome;
    std::string conteudo;  // of Configuração.TXT; "<dir>" puts a directory in its place
};

void PrintTo(const Caso_Configuracao& caso, std::ostream* saida) {
    *saida << caso.nome;
}

class ConfiguracaoRuim : public ::testing::TestWithParam<Caso_Configuracao> {};

// The configuration screen is asked for; once a usable port is picked there the start-up
// opens it and the program greets the gauge.
TEST_P(ConfiguracaoRuim, PedeATelaDeConfiguracaoERecupera) {
    Diretorio_Base_Teste diretorio;
    const fs::path arquivo = Arquivo_Configuracao(diretorio.base);
    fs::remove(arquivo);
    if (GetParam().conteudo == "<dir>") {
        fs::create_directory(arquivo);
    } else {
        Gravar(arquivo, GetParam().conteudo);
    }
    Com1_Pty com1(diretorio.base);
    Programa_Com_Ganchos p(diretorio.base);
    p.configurar = [&] {
        fs::remove_all(arquivo);
        Gravar(arquivo, "COM1\r\n");
        return true;
    };
    ASSERT_TRUE(p.Iniciar());
    EXPECT_EQ(p.configuracoes, 1);
    EXPECT_EQ(p.perguntas, 0);
    EXPECT_TRUE(p.programa->Canal_Serial().PortOpen());
    const std::string id02 = Monta_Quadro("ID02");
    std::string recebido;
    EXPECT_TRUE(Esperar(
        [&] {
            recebido += com1.terminal.Ler(std::chrono::milliseconds(10));
            return recebido.find(id02) != std::string::npos;
        },
        Espera_Resposta_ms))
        << Texto_Do_Log(*p.programa);
}

INSTANTIATE_TEST_SUITE_P(
    Todos, ConfiguracaoRuim,
    ::testing::Values(Caso_Configuracao{"Vazio", ""}, Caso_Configuracao{"CO", "CO\r\n"},
                      Caso_Configuracao{"COM", "COM\r\n"}, Caso_Configuracao{"COM0", "COM0\r\n"},
                      Caso_Configuracao{"Lixo", std::string("\xff\xfe\x00\x80\x1b[2J\r\n", 10)},
                      Caso_Configuracao{"NumeroEnorme", "COM99999999999999999999999\r\n"},
                      Caso_Configuracao{"NumeroNegativo", "COM-1\r\n"},
                      Caso_Configuracao{"Diretorio", "<dir>"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Inicio, TelaFechadaSemEscolhaPerguntaSeSaiESimEncerra) {
    Diretorio_Base_Teste diretorio;
    diretorio.Gravar_Configuracao("");
    Programa_Com_Ganchos p(diretorio.base);
    EXPECT_FALSE(p.Iniciar());
    EXPECT_EQ(p.configuracoes, 1);
    EXPECT_EQ(p.perguntas, 1);
    EXPECT_FALSE(p.programa->Painel().isVisible());
    EXPECT_FALSE(p.programa->Canal_Serial().PortOpen());
}

TEST(Inicio, NaoMostraATelaDeNovoEUmaEscolhaRecupera) {
    Diretorio_Base_Teste diretorio;
    diretorio.Gravar_Configuracao("COM\r\n");
    Com1_Pty com1(diretorio.base);
    Programa_Com_Ganchos p(diretorio.base);
    p.sair = false;
    p.configurar = [&] {
        if (p.configuracoes < 2) {
            return false;
        }
        diretorio.Gravar_Configuracao("COM1\r\n");
        return true;
    };
    EXPECT_TRUE(p.Iniciar());
    EXPECT_EQ(p.configuracoes, 2);
    EXPECT_EQ(p.perguntas, 1);
    EXPECT_TRUE(p.programa->Painel().isVisible());
}

// The first run: no configuration file; the operator finds the ports on the configuration
// screen, picks COM1, closes the screen, and the start-up opens the port just written.
TEST(Inicio, PrimeiraExecucaoEscolhePelaTelaEAbre) {
    Diretorio_Base_Teste diretorio;
    fs::remove(Arquivo_Configuracao(diretorio.base));
    Com1_Pty com1(diretorio.base);
    Programa_Com_Ganchos p(diretorio.base);
    QStringList encontradas;
    Roteiro_Modal operador;
    operador.Quando(QStringLiteral("Form4"), [&](QWidget& tela) {
        Clicar(tela, "Localizar_COMs");
        auto* portas = tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
        for (int i = 0; i < portas->count(); ++i) {
            encontradas.append(portas->itemText(i));
        }
        portas->setFocus();
        QTest::keyClick(portas, Qt::Key_Down);
        Clicar(tela, "Retornar");
    });
    ASSERT_TRUE(p.Iniciar(true));
    EXPECT_TRUE(operador.Concluido());
    EXPECT_EQ(encontradas.value(0), "COM1");
    EXPECT_EQ(p.perguntas, 0);
    std::ifstream arquivo(Arquivo_Configuracao(diretorio.base), std::ios::binary);
    const std::string conteudo((std::istreambuf_iterator<char>(arquivo)), {});
    EXPECT_EQ(conteudo, "COM1\r\n");
    EXPECT_TRUE(p.programa->Canal_Serial().PortOpen());
    EXPECT_TRUE(p.programa->Painel().isVisible());
}

// A base directory the configuration screen cannot write into: the pick is refused with a
// message, the screen stays open, and the program does not end by itself.
// (A missing base directory is no longer one: the pick creates it.)
enum class Base_Ruim { Sob_Arquivo, Sem_Escrita };

fs::path Preparar(Base_Ruim tipo, const fs::path& raiz) {
    if (tipo == Base_Ruim::Sob_Arquivo || geteuid() == 0) {
        // Permissions do not stop root; a directory below a plain file cannot exist at all.
        Gravar(raiz / "arquivo", "x");
        return raiz / "arquivo" / "base" / "";
    }
    const fs::path base = raiz / "sem-escrita" / "";
    fs::create_directory(base);
    fs::permissions(base, fs::perms::owner_read | fs::perms::owner_exec);
    return base;
}

class BaseInutilizavel : public ::testing::TestWithParam<Base_Ruim> {};

TEST_P(BaseInutilizavel, EscolhaNaoGravadaAvisaSemEncerrar) {
    Diretorio_Base_Teste raiz;
    const fs::path base = Preparar(GetParam(), raiz.base);
    Programa_Com_Ganchos p(base);
    QString aviso;
    bool aberta_apos_aviso = false;
    Roteiro_Modal operador;
    operador
        .Quando(QStringLiteral("Form4"),
                [](QWidget& tela) {
                    // The probe finds no COM1 here; the list gets the entry it would have shown,
                    // and the operator picks it with the arrow key.
                    auto* portas = tela.findChild<QComboBox*>(QStringLiteral("Def_COMs"));
                    portas->addItem(QStringLiteral("COM1"));
                    portas->setCurrentIndex(-1);  // as the probe leaves it: nothing picked
                    portas->setFocus();
                    QTest::keyClick(portas, Qt::Key_Down);
                })
        .Quando(QStringLiteral("QMessageBox"),
                [&](QWidget& caixa) {
                    aviso = static_cast<QMessageBox&>(caixa).text();
                    static_cast<QMessageBox&>(caixa).buttons().front()->click();
                })
        .Quando(QStringLiteral("Form4"), [&](QWidget& tela) {
            aberta_apos_aviso = tela.isVisible();
            Clicar(tela, "Retornar");
        });
    EXPECT_FALSE(p.Iniciar(true));
    EXPECT_TRUE(operador.Concluido());
    EXPECT_TRUE(
        aviso.startsWith(QStringLiteral("Não foi possível gravar o arquivo de configuração")))
        << aviso.toStdString();
    EXPECT_TRUE(aberta_apos_aviso);
    EXPECT_EQ(p.perguntas, 1);  // only after the screen was closed without a pick
    EXPECT_EQ(p.encerramentos, 0);
    EXPECT_FALSE(fs::exists(Arquivo_Configuracao(base)));
    if (GetParam() == Base_Ruim::Sem_Escrita && geteuid() != 0) {
        fs::permissions(base, fs::perms::owner_all);
    }
}

INSTANTIATE_TEST_SUITE_P(Todos, BaseInutilizavel,
                         ::testing::Values(Base_Ruim::Sob_Arquivo, Base_Ruim::Sem_Escrita));

TEST(Porta, OcupadaPorOutroProgramaRecuperaQuandoLiberada) {
    Diretorio_Base_Teste diretorio;
    Com1_Pty com1(diretorio.base);
    Porta_Serial_Qt ocupante(diretorio.base);
    std::string motivo;
    ASSERT_TRUE(Abrir_Canal_Serial(ocupante, Arquivo_Configuracao(diretorio.base), motivo))
        << motivo;
    Programa_Com_Ganchos p(diretorio.base);
    p.configurar = [&] {
        ocupante.PortOpen(false);
        return true;
    };
    ASSERT_TRUE(p.Iniciar());
    EXPECT_EQ(p.configuracoes, 1);
    EXPECT_TRUE(p.programa->Canal_Serial().PortOpen());
    EXPECT_FALSE(ocupante.PortOpen());
}

using teste::Segundos_De_Cpu;

// COM1 names a device that is gone; without any entry it would be /dev/ttyS0, which some
// machines have.
void Desligar_COM1(Sessao& sessao) {
    fs::remove(sessao.Base() / "COM1");
    fs::create_symlink("/dev/pts/ausente", sessao.Base() / "COM1");
}

TEST(Porta, QueDesapareceAbertaDaUmaLinhaDeFalhaESegue) {
    Sessao sessao;
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(sessao.Conectar());
    sessao.Simulador().Matar();
    Desligar_COM1(sessao);
    const auto falhas = [&] {
        int n = 0;
        for (const std::string& linha : sessao.Log()) {
            n += De_1252(linha).contains(QStringLiteral("deixou de responder")) ? 1 : 0;
        }
        return n;
    };
    ASSERT_TRUE(Esperar([&] { return falhas() >= 1; }, Espera_Resposta_ms));
    EXPECT_FALSE(sessao.Prog().Canal_Serial().PortOpen());
    // The reopen loop tells once why the port stays closed.
    const auto motivo = [&] {
        const std::vector<std::string> log = sessao.Log();
        return std::count_if(log.begin(), log.end(), [](const std::string& linha) {
            return De_1252(linha).contains(QStringLiteral("ainda fechada"));
        });
    };
    ASSERT_TRUE(Esperar([&] { return motivo() == 1; }, Espera_Resposta_ms))
        << Texto_Do_Log(sessao.Prog());

    // Idle afterwards: no more lines while the reason stays the same, and the event loop
    // does not spin.
    const std::size_t linhas = sessao.Log().size();
    const double cpu = Segundos_De_Cpu();
    Observar(1000);
    EXPECT_LT(Segundos_De_Cpu() - cpu, 0.5);
    EXPECT_EQ(sessao.Log().size(), linhas) << Texto_Do_Log(sessao.Prog());

    // The operator can still use the panel; nothing reaches a closed port.
    sessao.Clicar("LR_Cmd");
    Observar(300);
    EXPECT_EQ(falhas(), 1);
    EXPECT_TRUE(sessao.Painel().isVisible());
    EXPECT_TRUE(sessao.Habilitado("Configuração"));
}

// The adapter unplugged and plugged back: the requests made meanwhile wait for the port and
// reach the gauge in order, the connection cycle is repeated by itself with the password typed
// at "Conectar", and the panel is on-line again, with neither a restart nor a new "Conectar".
TEST(Porta, QueVoltaReconectaSozinhaEEntregaOsPedidosEmOrdem) {
    Sessao sessao;
    ASSERT_TRUE(sessao.Iniciada());
    ASSERT_TRUE(sessao.Conectar());
    sessao.Simulador().Matar();
    Desligar_COM1(sessao);
    ASSERT_TRUE(
        Esperar([&] { return !sessao.Prog().Canal_Serial().PortOpen(); }, Espera_Resposta_ms));
    EXPECT_EQ(sessao.Texto("Estado"), QStringLiteral("PORTA FECHADA"));

    const int fechada = static_cast<int>(sessao.Log().size());
    sessao.Clicar("LR_Cmd");
    sessao.Clicar("MA_Cmd");
    Observar(Espera_Negativa_ms);
    EXPECT_TRUE(sessao.Fio(fechada).filter(QStringLiteral("TX ")).isEmpty())
        << Texto_Do_Log(sessao.Prog());
    EXPECT_EQ(sessao.Linhas_Iguais("Status: Mensagem não transmitida, porta serial fechada!"), 0);

    ASSERT_TRUE(sessao.Trocar_Simulador());
    const auto ligado = std::chrono::steady_clock::now();
    ASSERT_TRUE(Esperar_Linha(sessao, "Porta serial COM1 reaberta", 1, 2500))
        << Texto_Do_Log(sessao.Prog());
    EXPECT_LT(std::chrono::steady_clock::now() - ligado, std::chrono::milliseconds(2500));
    const QStringList esperados = {QStringLiteral("LR"), QStringLiteral("MA"),
                                   QStringLiteral("ID01"), QStringLiteral("CF") + Senha_Do_Medidor};
    ASSERT_TRUE(
        Esperar([&] { return sessao.Simulador().Pedidos() == esperados; }, 4 * Espera_Resposta_ms))
        << sessao.Simulador().Pedidos().join(QLatin1Char(' ')).toStdString() << "\n"
        << Texto_Do_Log(sessao.Prog());
    const Medidor& medidor = sessao.Prog().Estacao_Do_Programa().Logica_Medidor();
    EXPECT_TRUE(Esperar([&] { return medidor.Estado_Conexao() == Conexao::Conectado; },
                        Espera_Resposta_ms));
    EXPECT_EQ(sessao.Texto("Estado"), QStringLiteral("ON-LINE"));
    EXPECT_TRUE(sessao.Habilitado("LR_Cmd"));
}

// Started at power-up before udev made the adapter's link: no configuration screen, the port
// stays closed, and the first frame goes out once the device appears.
TEST(Inicio, EntradaCOMSemDispositivoAguardaEAbreQuandoAparece) {
    Diretorio_Base_Teste diretorio;
    teste::Pseudo_Terminal adaptador;
    const fs::path por_id = diretorio.base / "por-id";
    fs::create_symlink(por_id, diretorio.base / "COM1");
    Programa_Com_Ganchos p(diretorio.base);
    ASSERT_TRUE(p.Iniciar());
    EXPECT_EQ(p.configuracoes, 0);
    EXPECT_FALSE(p.programa->Canal_Serial().PortOpen());
    EXPECT_EQ(p.programa->Estacao_Do_Programa().Logica_Medidor().Estado_Conexao(),
              Conexao::Porta_Fechada);
    EXPECT_TRUE(QString::fromStdString(Texto_Do_Log(*p.programa))
                    .contains(QStringLiteral("será aberta quando o dispositivo aparecer")))
        << Texto_Do_Log(*p.programa);
    Observar(300);

    fs::create_symlink(adaptador.Caminho_Escravo(), por_id);
    const std::string id02 = Monta_Quadro("ID02");
    std::string recebido;
    EXPECT_TRUE(Esperar(
        [&] {
            recebido += adaptador.Ler(std::chrono::milliseconds(10));
            return recebido.find(id02) != std::string::npos;
        },
        3 * Espera_Resposta_ms))
        << Texto_Do_Log(*p.programa);
    EXPECT_EQ(recebido.find(id02), 0U);  // the first frame of the program
}

}  // namespace
}  // namespace qx7::e2e
