// The serial component with its port thread's calls scripted: line events, the run of failures
// that loses a port, a hung adapter, unplugs confirmed or not, RS-485 mode and the closing.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <memory>

#include "station/port_opening.h"
#include "station/port_preferences.h"
#include "station/serial_port_qt.h"
#include "tests/support/fake_serial_line.h"
#include "tests/support/pty.h"

namespace qx7 {
namespace {

using namespace std::chrono_literals;
using teste::Roteiro_Linha;
using Dados = Roteiro_Linha::Dados;
using Chamada = Roteiro_Linha::Chamada;

// COM3 is a pseudo-terminal that QSerialPort opens; the port thread's calls go to the script.
class Linha_Roteirizada : public ::testing::Test {
  protected:
    Linha_Roteirizada() { std::filesystem::create_symlink(pty->Caminho_Escravo(), base / "COM3"); }

    // Quick to give up and, unless a test says otherwise, in no hurry to reopen.
    static Preferencias_Porta Rapidas() {
        Preferencias_Porta p;
        p.limite_chamada = 100ms;
        p.primeira_espera = 60s;
        return p;
    }

    std::unique_ptr<Porta_Serial_Qt> Abrir(const Preferencias_Porta& p = Rapidas()) {
        auto porta =
            std::make_unique<Porta_Serial_Qt>(base, p, teste::Linha_Falsa::Fabrica(roteiro));
        EXPECT_TRUE(Abrir_Porta(*porta, 3)) << porta->Erro();
        return porta;
    }

    int Amostras() {
        return roteiro->Com([](Dados& d) { return d.amostras; });
    }

    // Samples are asked one at a time, so once `n` more are answered the window has taken all
    // but the last.
    bool Esperar_Amostras(int n) {
        const int alvo = Amostras() + n;
        return QTest::qWaitFor([&] { return Amostras() >= alvo; }, 2000);
    }

    QTemporaryDir temporario;
    std::filesystem::path base{temporario.path().toStdU16String()};
    std::unique_ptr<teste::Pseudo_Terminal> pty = std::make_unique<teste::Pseudo_Terminal>();
    std::shared_ptr<Roteiro_Linha> roteiro = std::make_shared<Roteiro_Linha>();
};

struct Caso_Evento {
    const char* nome;
    void (*mudar)(Dados&);
    int evento;
};

class Eventos_Da_Linha : public Linha_Roteirizada,
                         public ::testing::WithParamInterface<Caso_Evento> {};

TEST_P(Eventos_Da_Linha, CadaMudancaDaUmEvento) {
    auto porta = Abrir();
    ASSERT_TRUE(Esperar_Amostras(2));
    std::vector<int> eventos;
    porta->OnComm([&] { eventos.push_back(porta->CommEvent()); });
    roteiro->Com(GetParam().mudar);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !eventos.empty(); }, 2000));
    ASSERT_TRUE(Esperar_Amostras(3));
    EXPECT_EQ(eventos, std::vector<int>{GetParam().evento});
}

INSTANTIATE_TEST_SUITE_P(
    Linhas, Eventos_Da_Linha,
    ::testing::Values(
        Caso_Evento{"cts", [](Dados& d) { d.linhas.cts = true; }, evento::Mudou_CTS},
        Caso_Evento{"dsr", [](Dados& d) { d.linhas.dsr = true; }, evento::Mudou_DSR},
        Caso_Evento{"cd", [](Dados& d) { d.linhas.cd = true; }, evento::Mudou_CD},
        Caso_Evento{"ri", [](Dados& d) { d.linhas.ri = true; }, evento::Ring},
        Caso_Evento{"break", [](Dados& d) { ++d.contadores.brk; }, evento::Break},
        Caso_Evento{"framing", [](Dados& d) { d.contadores.framing += 4; }, evento::Erro_Framing},
        Caso_Evento{"overrun", [](Dados& d) { ++d.contadores.overrun; }, evento::Overrun},
        Caso_Evento{"paridade", [](Dados& d) { ++d.contadores.paridade; }, evento::Erro_Paridade}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Caso_Falhas {
    const char* leituras;  // F: the modem-line read fails
    bool perdida;
};

class Falhas_Seguidas : public Linha_Roteirizada,
                        public ::testing::WithParamInterface<Caso_Falhas> {};

// Three failures in a row lose the port; one read that answers starts the count again.
TEST_P(Falhas_Seguidas, PerdidaSoComTresSeguidas) {
    roteiro->Com([](Dados& d) { d.leituras = GetParam().leituras; });
    auto porta = Abrir();
    QSignalSpy falhas(porta.get(), &Porta_Serial_Qt::Falha);
    if (GetParam().perdida) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return falhas.count() > 0; }, 2000));
        EXPECT_TRUE(falhas.at(0).at(0).toString().contains(QStringLiteral("3 pedidos seguidos")))
            << falhas.at(0).at(0).toString().toStdString();
        EXPECT_FALSE(porta->PortOpen());
    } else {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return roteiro->Com([](Dados& d) { return d.leituras.empty(); }); }, 2000));
        ASSERT_TRUE(Esperar_Amostras(3));
        EXPECT_EQ(falhas.count(), 0);
        EXPECT_TRUE(porta->PortOpen());
    }
}

INSTANTIATE_TEST_SUITE_P(Leituras, Falhas_Seguidas,
                         ::testing::Values(Caso_Falhas{"FF", false}, Caso_Falhas{"FFF", true},
                                           Caso_Falhas{"FFOFF", false},
                                           Caso_Falhas{"OFOFFF", true}));

// Every request of a hung adapter takes 5 s. The window's timer keeps beating, the link's
// calls return at once, the port is lost after three call limits, and closing waits for
// nothing.
TEST_F(Linha_Roteirizada, AdaptadorTravadoNaoParaAJanela) {
    roteiro->Com([](Dados& d) { d.bloqueio = 5s; });
    QElapsedTimer relogio;
    relogio.start();
    qint64 anterior = 0;
    qint64 maior_intervalo = 0;
    QTimer batida;
    QObject::connect(&batida, &QTimer::timeout, [&] {
        maior_intervalo = std::max(maior_intervalo, relogio.elapsed() - anterior);
        anterior = relogio.elapsed();
    });
    batida.start(10);
    auto porta = Abrir();
    QSignalSpy falhas(porta.get(), &Porta_Serial_Qt::Falha);

    porta->RTSEnable(true);
    porta->Output("\x02LR\x03\x1d");
    porta->RTSEnable(false);
    porta->DTREnable(false);
    EXPECT_GT(porta->OutBufferCount(), 0);
    EXPECT_FALSE(porta->DSRHolding());
    EXPECT_LT(relogio.elapsed(), 500);

    ASSERT_TRUE(QTest::qWaitFor([&] { return falhas.count() > 0; }, 3000));
    EXPECT_GE(relogio.elapsed(), 300);  // not before three limits of 100 ms
    EXPECT_LT(maior_intervalo, 1000);
    EXPECT_FALSE(porta->PortOpen());
    const qint64 antes_de_fechar = relogio.elapsed();
    porta.reset();
    EXPECT_LT(relogio.elapsed() - antes_de_fechar, 500);
}

struct Caso_Confirmacao {
    bool vivo;
    bool presente;
    bool perdida;
};

class Erro_De_Leitura : public Linha_Roteirizada,
                        public ::testing::WithParamInterface<Caso_Confirmacao> {};

// The far end goes away and reads fail; the port is lost only when the terminal was hung up
// or its device node is gone.
TEST_P(Erro_De_Leitura, PerdidaSoQuandoConfirmada) {
    const Caso_Confirmacao& c = GetParam();
    roteiro->Com([&c](Dados& d) {
        d.vivo = c.vivo;
        d.presente = c.presente;
    });
    auto porta = Abrir();
    QSignalSpy falhas(porta.get(), &Porta_Serial_Qt::Falha);
    pty.reset();
    if (c.perdida) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return falhas.count() > 0; }, 2000));
    } else {
        QTest::qWait(300);
        EXPECT_EQ(falhas.count(), 0);
    }
    EXPECT_EQ(porta->PortOpen(), !c.perdida);
}

INSTANTIATE_TEST_SUITE_P(Confirmacoes, Erro_De_Leitura,
                         ::testing::Values(Caso_Confirmacao{true, true, false},
                                           Caso_Confirmacao{false, true, true},
                                           Caso_Confirmacao{true, false, true}));

class Fechamentos : public Linha_Roteirizada, public ::testing::WithParamInterface<bool> {};

// On purpose or to be reopened, what the device still had to send is discarded before its
// last close, which happens on the port thread.
TEST_P(Fechamentos, SaidaDescartadaAntesDoFechamento) {
    const bool reiniciar = GetParam();
    auto porta = Abrir();
    QSignalSpy falhas(porta.get(), &Porta_Serial_Qt::Falha);
    porta->Output("ID02");
    if (reiniciar) {
        porta->Reiniciar(QStringLiteral("sem resposta do medidor"));
    } else {
        porta->PortOpen(false);
    }
    std::vector<Roteiro_Linha::Registro> r;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            r = roteiro->Registros();
            return !r.empty() && r.back().chamada == Chamada::Fechamento;
        },
        2000));
    ASSERT_GE(r.size(), 2u);
    EXPECT_EQ(r[r.size() - 2].chamada, Chamada::Descarte);
    EXPECT_FALSE(porta->PortOpen());
    ASSERT_EQ(falhas.count(), reiniciar ? 1 : 0);
    if (reiniciar) {
        EXPECT_TRUE(falhas.at(0).at(0).toString().contains(QStringLiteral("sem resposta")));
    }
}

INSTANTIATE_TEST_SUITE_P(Modos, Fechamentos, ::testing::Bool());

class Modo_RS485 : public Linha_Roteirizada, public ::testing::WithParamInterface<bool> {};

// Asked for in Preferencias.ini: where the driver takes the kernel's RS-485 mode the program
// leaves RTS alone; where it refuses, the program switches RTS itself and says so once.
TEST_P(Modo_RS485, RtsDoProgramaSoSemOModoDoKernel) {
    const bool aceita = GetParam();
    roteiro->Com([aceita](Dados& d) { d.aceita_rs485 = aceita; });
    QFile ini(QString::fromStdString((base / "Preferencias.ini").string()));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Porta]\nRS485Automatico=true\n");
    ini.close();
    Preferencias_Porta p = Ler_Preferencias_Porta(base);
    p.primeira_espera = Rapidas().primeira_espera;
    auto porta = std::make_unique<Porta_Serial_Qt>(base, p, teste::Linha_Falsa::Fabrica(roteiro));
    QSignalSpy avisos(porta.get(), &Porta_Serial_Qt::Aviso);
    ASSERT_TRUE(Abrir_Porta(*porta, 3)) << porta->Erro();
    porta->RTSEnable(true);
    porta->Output("LR");
    porta->RTSEnable(false);
    ASSERT_TRUE(Esperar_Amostras(2));  // the thread is past the transmission
    int rts = 0;
    for (const Roteiro_Linha::Registro& r : roteiro->Registros()) {
        rts += r.chamada == Chamada::RTS_Ligado || r.chamada == Chamada::RTS_Desligado ? 1 : 0;
    }
    EXPECT_EQ(rts == 0, aceita);
    ASSERT_EQ(avisos.count(), aceita ? 0 : 1);
    if (!aceita) {
        EXPECT_TRUE(avisos.at(0).at(0).toString().contains(QStringLiteral("RS-485")));
    }
}

INSTANTIATE_TEST_SUITE_P(Drivers, Modo_RS485, ::testing::Bool());

}  // namespace
}  // namespace qx7
