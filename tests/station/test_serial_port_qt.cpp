#include "station/serial_port_qt.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>

#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "link/codepage.h"
#include "link/frame.h"
#include "link/link.h"
#include "tests/support/fake_serial_line.h"
#include "tests/support/fakes.h"
#include "tests/support/pty.h"
#include "text/qt_1252.h"

namespace qx7 {
namespace {

using namespace std::chrono_literals;

// COM3 and COM4 are pseudo-terminals, COM9 a link to nothing; the test holds the masters.
class Porta_Pty : public ::testing::Test {
  protected:
    Porta_Pty() {
        std::filesystem::create_symlink(com3->Caminho_Escravo(), base / "COM3");
        std::filesystem::create_symlink(com4.Caminho_Escravo(), base / "COM4");
        std::filesystem::create_symlink(base / "nada", base / "COM9");
    }

    // The start-up's nine settings.
    static bool Configurar(Porta_Serial_Qt& porta, int n) {
        bool ok = porta.CommPort(n);
        ok = porta.Settings("9600,N,8,1") && ok;
        ok = porta.InputLen(1) && ok;
        ok = porta.RThreshold(1) && ok;
        ok = porta.DTREnable(true) && ok;
        ok = porta.RTSEnable(false) && ok;
        ok = porta.PortOpen(true) && ok;
        ok = porta.Handshaking(0) && ok;
        porta.Descartar_Entrada();
        return ok;
    }

    QTemporaryDir temporario;
    std::filesystem::path base{temporario.path().toStdU16String()};
    std::unique_ptr<teste::Pseudo_Terminal> com3 = std::make_unique<teste::Pseudo_Terminal>();
    teste::Pseudo_Terminal com4;
    Porta_Serial_Qt porta{base};
};

TEST_F(Porta_Pty, AbreA9600Com8N1EmModoBruto) {
    // Start from a cooked 1200 baud 7E2 line, so that every setting has to be made.
    termios modo{};
    ASSERT_EQ(tcgetattr(com3->Mestre(), &modo), 0);
    modo.c_lflag |= ICANON | ECHO | ISIG;
    modo.c_oflag |= OPOST;
    modo.c_cflag = (modo.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
    cfsetspeed(&modo, B1200);
    ASSERT_EQ(tcsetattr(com3->Mestre(), TCSANOW, &modo), 0);

    ASSERT_TRUE(Configurar(porta, 3)) << porta.Erro();
    EXPECT_TRUE(porta.PortOpen());

    ASSERT_EQ(tcgetattr(com3->Mestre(), &modo), 0);
    EXPECT_EQ(cfgetospeed(&modo), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&modo), static_cast<speed_t>(B9600));
    EXPECT_EQ(modo.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(modo.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(modo.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(modo.c_oflag & OPOST, 0u);
    EXPECT_EQ(modo.c_iflag & (IXON | IXOFF | ICRNL), 0u);
}

TEST_F(Porta_Pty, PortaOcupadaERecusada) {
    ASSERT_TRUE(Configurar(porta, 3)) << porta.Erro();
    Porta_Serial_Qt segunda(base);
    EXPECT_FALSE(Configurar(segunda, 3));
    EXPECT_FALSE(segunda.PortOpen());
    EXPECT_NE(segunda.Erro().find("em uso"), std::string::npos) << segunda.Erro();

    // Another name for the same device is the same busy port.
    std::filesystem::create_symlink(com3->Caminho_Escravo(), base / "COM7");
    EXPECT_FALSE(Configurar(segunda, 7));

    ASSERT_TRUE(porta.PortOpen(false));
    EXPECT_TRUE(Configurar(segunda, 3)) << segunda.Erro();
}

TEST_F(Porta_Pty, AbrirDuasVezesNaMesmaInstanciaERecusado) {
    ASSERT_TRUE(Configurar(porta, 3));
    EXPECT_FALSE(porta.PortOpen(true));
    EXPECT_FALSE(porta.CommPort(4));  // the number of an open port cannot change
    EXPECT_TRUE(porta.PortOpen());
}

TEST_F(Porta_Pty, PortaAusenteERecusada) {
    EXPECT_FALSE(Configurar(porta, 9));
    EXPECT_FALSE(porta.PortOpen());
    EXPECT_NE(porta.Erro().find("COM9"), std::string::npos) << porta.Erro();
    EXPECT_NE(porta.Erro().find(cp1252("não existe")), std::string::npos);
}

class Numeros_Recusados : public Porta_Pty, public ::testing::WithParamInterface<int> {};

TEST_P(Numeros_Recusados, CommPortRecusaENaoAbre) {
    Porta_Serial_Qt nova(base);
    ASSERT_TRUE(nova.CommPort(9));
    EXPECT_FALSE(nova.CommPort(GetParam()));
    EXPECT_FALSE(nova.Erro().empty());
    // The refused number is not taken: the opening still names the port set before.
    EXPECT_FALSE(nova.PortOpen(true));
    EXPECT_NE(nova.Erro().find("COM9"), std::string::npos) << nova.Erro();
}

INSTANTIATE_TEST_SUITE_P(Portas, Numeros_Recusados, ::testing::Values(0, -1, -300, 256));

struct Texto_Settings {
    const char* texto;
    bool aceito;
};

class Textos_Settings : public Porta_Pty, public ::testing::WithParamInterface<Texto_Settings> {};

TEST_P(Textos_Settings, AceitosOuRecusados) {
    EXPECT_EQ(porta.Settings(GetParam().texto), GetParam().aceito) << GetParam().texto;
    EXPECT_EQ(porta.Erro().empty(), GetParam().aceito) << porta.Erro();
}

INSTANTIATE_TEST_SUITE_P(
    Portas, Textos_Settings,
    ::testing::Values(Texto_Settings{"9600,N,8,1", true}, Texto_Settings{"19200,e,7,2", true},
                      Texto_Settings{"1200,O,5,1.5", true}, Texto_Settings{"4800,M,6,1", true},
                      Texto_Settings{"2400,S,8,2", true}, Texto_Settings{"", false},
                      Texto_Settings{"9600", false}, Texto_Settings{"9600,N,8", false},
                      Texto_Settings{"9600,N,8,1,0", false}, Texto_Settings{"9600,X,8,1", false},
                      Texto_Settings{"9600,NN,8,1", false}, Texto_Settings{"9600,N,9,1", false},
                      Texto_Settings{"9600,N,4,1", false}, Texto_Settings{"9600,N,8,3", false},
                      Texto_Settings{"abc,N,8,1", false}, Texto_Settings{"0,N,8,1", false},
                      Texto_Settings{"96x0,N,8,1", false}, Texto_Settings{"-9600,N,8,1", false},
                      Texto_Settings{"9600,,8,1", false}));

TEST_F(Porta_Pty, SettingsNaPortaAbertaValeNaHora) {
    ASSERT_TRUE(Configurar(porta, 3));
    ASSERT_TRUE(porta.Settings("19200,N,8,1")) << porta.Erro();
    termios modo{};
    ASSERT_EQ(tcgetattr(com3->Mestre(), &modo), 0);
    EXPECT_EQ(cfgetospeed(&modo), static_cast<speed_t>(B19200));

    EXPECT_FALSE(porta.Settings("19200,N,9,1"));
    EXPECT_TRUE(porta.PortOpen());
    ASSERT_EQ(tcgetattr(com3->Mestre(), &modo), 0);
    EXPECT_EQ(cfgetospeed(&modo), static_cast<speed_t>(B19200));
}

TEST_F(Porta_Pty, SaidaChegaAoOutroLadoComTodosOsValoresDeByte) {
    ASSERT_TRUE(Configurar(porta, 3));
    const std::string bytes("\x02ID02\x03\x0c\x00\xff", 9);
    porta.Output(bytes);
    EXPECT_EQ(com3->Ler(1000ms, bytes.size()), bytes);
}

TEST_F(Porta_Pty, ChegadaDisparaEvento2EInputLeUmByteDeCadaVez) {
    ASSERT_TRUE(Configurar(porta, 3));
    std::vector<int> eventos;
    std::vector<std::string> leituras;
    porta.OnComm([&] {
        eventos.push_back(porta.CommEvent());
        while (porta.InBufferCount() != 0) {
            leituras.push_back(porta.Input());
        }
    });
    const std::string bytes(
        "\x02"
        "abc\x03"
        "c\x00\x06",
        8);
    com3->Escrever(bytes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return leituras.size() == bytes.size(); }, 2000));
    ASSERT_FALSE(eventos.empty());
    for (const int codigo : eventos) {
        EXPECT_EQ(codigo, evento::Recepcao);
    }
    std::string juntos;
    for (const std::string& l : leituras) {
        EXPECT_EQ(l.size(), 1u);
        juntos += l;
    }
    EXPECT_EQ(juntos, bytes);
    EXPECT_EQ(porta.Input(), "");
}

TEST_F(Porta_Pty, DescartarEntradaZeraOsRecebidos) {
    ASSERT_TRUE(Configurar(porta, 3));
    ASSERT_TRUE(porta.RThreshold(0));  // no handler: the bytes just wait
    com3->Escrever("xyz");
    ASSERT_TRUE(QTest::qWaitFor([&] { return porta.InBufferCount() == 3; }, 2000));
    porta.Descartar_Entrada();
    EXPECT_EQ(porta.InBufferCount(), 0);
    EXPECT_EQ(porta.Input(), "");
}

TEST_F(Porta_Pty, InputLenZeroLeTudo) {
    ASSERT_TRUE(Configurar(porta, 3));
    ASSERT_TRUE(porta.RThreshold(0));
    ASSERT_TRUE(porta.InputLen(0));
    com3->Escrever("12345");
    ASSERT_TRUE(QTest::qWaitFor([&] { return porta.InBufferCount() == 5; }, 2000));
    EXPECT_EQ(porta.Input(), "12345");
}

TEST_F(Porta_Pty, OutBufferCountChegaAZeroEnquantoOLacoDeEventosRoda) {
    ASSERT_TRUE(Configurar(porta, 3));
    // More than the kernel takes at once, so part of it waits in the component.
    const std::string bytes(300000, 'U');
    porta.Output(bytes);
    EXPECT_GT(porta.OutBufferCount(), 0);
    std::string recebidos;
    const bool esvaziou = QTest::qWaitFor(
        [&] {
            recebidos += com3->Ler(5ms, 65536);
            return porta.OutBufferCount() == 0;
        },
        5000);
    EXPECT_TRUE(esvaziou);
    recebidos += com3->Ler(500ms, bytes.size() - recebidos.size());
    EXPECT_EQ(recebidos.size(), bytes.size());
    EXPECT_TRUE(recebidos == bytes);
}

TEST_F(Porta_Pty, SemLinhasDeModemCtsEDsrLigadosEDtrRtsAceitos) {
    EXPECT_FALSE(porta.CTSHolding());
    EXPECT_FALSE(porta.DSRHolding());
    ASSERT_TRUE(Configurar(porta, 3));
    // Told by the port thread's first look at the line.
    EXPECT_TRUE(QTest::qWaitFor([&] { return porta.CTSHolding(); }, 2000));
    EXPECT_TRUE(porta.DSRHolding());
    EXPECT_TRUE(porta.DTREnable(false));
    EXPECT_TRUE(porta.RTSEnable(true));
    EXPECT_TRUE(porta.RTSEnable(false));
    EXPECT_TRUE(porta.Erro().empty()) << porta.Erro();
}

struct Caso_Rts {
    int bytes;
    int fila_ms;  // how long after the write the kernel still reports output
};

class Rts_Apos_Quadro : public Porta_Pty, public ::testing::WithParamInterface<Caso_Rts> {};

using Chamada = teste::Roteiro_Linha::Chamada;

std::size_t Indice(const std::vector<teste::Roteiro_Linha::Registro>& registros, Chamada chamada,
                   std::size_t desde = 0) {
    while (desde < registros.size() && registros[desde].chamada != chamada) {
        ++desde;
    }
    return desde;
}

// An RS-485 adapter turns its driver around on RTS. It stays up, from the write, for the line
// time of the frame and one character more at 9600 8N1, though the fake driver reports its
// queue empty at once as USB adapters do; a queue the kernel still reports holds it longer.
TEST_P(Rts_Apos_Quadro, RtsCaiSoDepoisDoUltimoByte) {
    const Caso_Rts& c = GetParam();
    auto roteiro = std::make_shared<teste::Roteiro_Linha>();
    roteiro->Com([&c](auto& d) { d.fila_apos_escrita = std::chrono::milliseconds(c.fila_ms); });
    Porta_Serial_Qt rs485(base, {}, teste::Linha_Falsa::Fabrica(roteiro));
    ASSERT_TRUE(Configurar(rs485, 3)) << rs485.Erro();
    ASSERT_TRUE(rs485.RTSEnable(true));
    rs485.Output(std::string(static_cast<std::size_t>(c.bytes), 'U'));
    ASSERT_TRUE(rs485.RTSEnable(false));

    std::vector<teste::Roteiro_Linha::Registro> r;
    std::size_t escrita = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            r = roteiro->Registros();
            escrita = Indice(r, Chamada::Escrita);
            return Indice(r, Chamada::RTS_Desligado, escrita) < r.size();
        },
        2000));
    ASSERT_EQ(r[escrita].bytes, static_cast<std::size_t>(c.bytes));
    EXPECT_LT(Indice(r, Chamada::RTS_Ligado), escrita);
    const auto queda = r[Indice(r, Chamada::RTS_Desligado, escrita)].instante;
    const auto linha = std::chrono::microseconds((c.bytes + 1) * 10 * 1'000'000LL / 9600);
    EXPECT_GE(queda - r[escrita].instante, linha);
    EXPECT_GE(queda - r[escrita].instante, std::chrono::milliseconds(c.fila_ms));
}

INSTANTIATE_TEST_SUITE_P(Quadros, Rts_Apos_Quadro,
                         ::testing::Values(Caso_Rts{1, 0}, Caso_Rts{11, 0}, Caso_Rts{47, 0},
                                           Caso_Rts{1, 30}));

TEST_F(Porta_Pty, HandshakingSemControleEModosRecusados) {
    EXPECT_TRUE(porta.Handshaking(0));
    EXPECT_FALSE(porta.Handshaking(3));
    EXPECT_FALSE(porta.Handshaking(-1));
    EXPECT_FALSE(porta.InputLen(-1));
    EXPECT_FALSE(porta.RThreshold(-1));
}

TEST_F(Porta_Pty, DispositivoQueSomeFechaAPortaEAvisaUmaVez) {
    ASSERT_TRUE(Configurar(porta, 3));
    int eventos = 0;
    porta.OnComm([&] {
        ++eventos;
        while (porta.InBufferCount() != 0) {
            porta.Input();
        }
    });
    QSignalSpy falhas(&porta, &Porta_Serial_Qt::Falha);
    com3.reset();  // the far end goes away, as an unplugged adapter does
    ASSERT_TRUE(QTest::qWaitFor([&] { return falhas.count() > 0; }, 2000));
    QTest::qWait(200);
    EXPECT_EQ(falhas.count(), 1);
    EXPECT_FALSE(porta.PortOpen());
    EXPECT_FALSE(porta.DSRHolding());
    EXPECT_EQ(porta.OutBufferCount(), 0);
    const QString linha = falhas.at(0).at(0).toString();
    EXPECT_TRUE(linha.contains(QStringLiteral("COM3"))) << linha.toStdString();
    EXPECT_TRUE(linha.contains(QStringLiteral("fechada"))) << linha.toStdString();
    EXPECT_LT(eventos, 5);
    porta.Output("depois");  // a closed port swallows what the link still sends
    EXPECT_FALSE(porta.Erro().empty());
}

TEST_F(Porta_Pty, LinhaDesligadaComoUsbRemovidoFechaAPortaEAvisaUmaVez) {
    ASSERT_TRUE(Configurar(porta, 3));
    QSignalSpy falhas(&porta, &Porta_Serial_Qt::Falha);
    // The kernel's own unplug path: every open file of the device is hung up, reads see end of
    // file and terminal requests fail.
    const int escravo = open(com3->Caminho_Escravo().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(escravo, 0);
    if (ioctl(escravo, TIOCVHANGUP) != 0) {
        close(escravo);
        GTEST_SKIP() << "hanging up a terminal needs CAP_SYS_ADMIN";
    }
    close(escravo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return falhas.count() > 0; }, 2000));
    QTest::qWait(200);
    EXPECT_EQ(falhas.count(), 1);
    EXPECT_FALSE(porta.PortOpen());
}

// The decoder behind a modal screen must see bytes as they come: a modal screen opened from
// the receive loop's yield waits for a frame sent while it is open, and closes when it is
// queued (or after two seconds, which fails the test).
TEST_F(Porta_Pty, QuadroQueChegaComTelaModalAbertaNaRecepcaoEEnfileirado) {
    ASSERT_TRUE(Configurar(porta, 3));
    teste::Plataforma_Falsa plataforma;
    teste::Registro_Falso registro;
    teste::Painel_Falso painel;
    Enlace enlace(porta, plataforma, registro, painel);
    bool abrir = true;
    bool enfileirado_com_tela_aberta = false;
    plataforma.ao_processar = [&] {
        QCoreApplication::processEvents();
        if (!std::exchange(abrir, false)) {
            return;
        }
        QEventLoop tela;  // what a modal screen runs
        QTimer::singleShot(20, &tela, [&] { com3->Escrever(Monta_Quadro("LR")); });
        QTimer olhar;
        QObject::connect(&olhar, &QTimer::timeout, &tela, [&] {
            if (enlace.Fila_RX().Indice_Grava() == 2) {
                enfileirado_com_tela_aberta = true;
                tela.quit();
            }
        });
        olhar.start(5);
        QTimer::singleShot(2000, &tela, &QEventLoop::quit);
        tela.exec();
    };
    com3->Escrever(Monta_Quadro("MT01"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !abrir; }, 2000));
    EXPECT_TRUE(enfileirado_com_tela_aberta);
    EXPECT_EQ(enlace.Fila_RX().Indice_Grava(), 2);
}

}  // namespace
}  // namespace qx7
