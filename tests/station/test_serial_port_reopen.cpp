// The reopen loop: what it tells the log, when it calls the port back, how long it waits.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>
#include <vector>

#include "station/reopen_backoff.h"
#include "station/serial_port_qt.h"
#include "tests/support/fake_serial_line.h"
#include "tests/support/pty.h"

namespace qx7 {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class Reabertura_Pty : public ::testing::Test {
  protected:
    static Preferencias_Porta Rapidas() {
        Preferencias_Porta p;
        p.primeira_espera = 20ms;
        p.maior_espera = 80ms;
        return p;
    }

    // COM5 with its settings given and the port closed, as after a failed opening.
    std::unique_ptr<Porta_Serial_Qt> Porta_COM5(Fabrica_Linha fabrica = {}) {
        auto porta = std::make_unique<Porta_Serial_Qt>(base, Rapidas(), std::move(fabrica));
        EXPECT_TRUE(porta->CommPort(5));
        EXPECT_TRUE(porta->Settings("9600,N,8,1"));
        return porta;
    }

    void Ligar_COM5(const fs::path& alvo) {
        fs::remove(base / "COM5");
        fs::create_symlink(alvo, base / "COM5");
    }

    static QString Linha(const QSignalSpy& espiao, int i) { return espiao.at(i).at(0).toString(); }

    QTemporaryDir temporario;
    fs::path base{temporario.path().toStdU16String()};
    teste::Pseudo_Terminal pty;
};

// A device not there yet, then held by another program, then free: one line per reason,
// none while the reason stays, and "reaberta" once it is open.
TEST_F(Reabertura_Pty, CadaMotivoUmaVezEReabertaQuandoLivre) {
    Ligar_COM5(base / "ausente");
    auto porta = Porta_COM5();
    QSignalSpy avisos(porta.get(), &Porta_Serial_Qt::Aviso);
    QSignalSpy reabertas(porta.get(), &Porta_Serial_Qt::Reaberta);
    porta->Aguardar_Dispositivo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return avisos.count() == 1; }, 2000));
    EXPECT_TRUE(Linha(avisos, 0).contains(QStringLiteral("COM5 ainda fechada após 1 tentativa")))
        << Linha(avisos, 0).toStdString();
    EXPECT_TRUE(Linha(avisos, 0).contains(QStringLiteral("não existe")));

    Porta_Serial_Qt ocupante(base);
    Ligar_COM5(pty.Caminho_Escravo());
    ASSERT_TRUE(ocupante.CommPort(5) && ocupante.PortOpen(true)) << ocupante.Erro();
    ASSERT_TRUE(QTest::qWaitFor([&] { return avisos.count() == 2; }, 2000));
    EXPECT_TRUE(Linha(avisos, 1).contains(QStringLiteral("em uso")))
        << Linha(avisos, 1).toStdString();
    EXPECT_TRUE(Linha(avisos, 1).contains(QStringLiteral("tentativas")));
    QTest::qWait(300);  // several attempts for the same reason
    EXPECT_EQ(avisos.count(), 2);
    EXPECT_EQ(reabertas.count(), 0);

    ocupante.PortOpen(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reabertas.count() == 1; }, 2000));
    EXPECT_EQ(Linha(reabertas, 0), QStringLiteral("Porta serial COM5 reaberta"));
    EXPECT_TRUE(porta->PortOpen());
    QTest::qWait(100);
    EXPECT_EQ(reabertas.count(), 1);
    EXPECT_EQ(avisos.count(), 2);
}

// An absent device is looked for at the first wait all along, so a replug is seen at once;
// only a device that is there and fails is tried less and less often.
TEST_F(Reabertura_Pty, DispositivoAusenteProcuradoSemEsperaCrescente) {
    Ligar_COM5(base / "ausente");
    Preferencias_Porta preferencias = Rapidas();
    preferencias.maior_espera = 400ms;  // were the waits doubling, about 6 attempts in 1.5 s
    auto porta = std::make_unique<Porta_Serial_Qt>(base, preferencias);
    ASSERT_TRUE(porta->CommPort(5) && porta->Settings("9600,N,8,1"));
    QSignalSpy avisos(porta.get(), &Porta_Serial_Qt::Aviso);
    porta->Aguardar_Dispositivo();
    QTest::qWait(1500);
    Porta_Serial_Qt ocupante(base);
    Ligar_COM5(pty.Caminho_Escravo());
    ASSERT_TRUE(ocupante.CommPort(5) && ocupante.PortOpen(true)) << ocupante.Erro();
    ASSERT_TRUE(QTest::qWaitFor([&] { return avisos.count() == 2; }, 2000));
    const QRegularExpression tentativas(QStringLiteral("após (\\d+) tentativas"));
    const QRegularExpressionMatch achou = tentativas.match(Linha(avisos, 1));
    ASSERT_TRUE(achou.hasMatch()) << Linha(avisos, 1).toStdString();
    EXPECT_GE(achou.captured(1).toInt(), 20) << Linha(avisos, 1).toStdString();
}

// A device that opens but whose line does not answer is a failed attempt, told as such; the
// next one that answers is "reaberta".
TEST_F(Reabertura_Pty, AberturaSemRespostaNaoEReabertura) {
    Ligar_COM5(pty.Caminho_Escravo());
    auto roteiro = std::make_shared<teste::Roteiro_Linha>();
    roteiro->Com([](teste::Roteiro_Linha::Dados& d) { d.leituras = "F"; });
    auto porta = Porta_COM5(teste::Linha_Falsa::Fabrica(roteiro));
    QSignalSpy avisos(porta.get(), &Porta_Serial_Qt::Aviso);
    QSignalSpy reabertas(porta.get(), &Porta_Serial_Qt::Reaberta);
    bool aberta_antes = false;
    QObject::connect(porta.get(), &Porta_Serial_Qt::Aviso,
                     [&] { aberta_antes |= porta->PortOpen(); });
    porta->Aguardar_Dispositivo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reabertas.count() == 1; }, 2000));
    ASSERT_EQ(avisos.count(), 1);
    EXPECT_TRUE(Linha(avisos, 0).contains(QStringLiteral("não respondeu")))
        << Linha(avisos, 0).toStdString();
    EXPECT_FALSE(aberta_antes);
    int fechamentos = 0;
    for (const auto& r : roteiro->Registros()) {
        fechamentos += r.chamada == teste::Roteiro_Linha::Chamada::Fechamento ? 1 : 0;
    }
    EXPECT_EQ(fechamentos, 1);  // the failed attempt's line
}

struct Passo {
    enum class Tipo { Perdida, Falhou, Reaberta } tipo;
    int segundo;    // when it happened
    int espera_ms;  // the wait before the next attempt afterwards
};

struct Caso_Espera {
    const char* nome;
    std::vector<Passo> passos;
};

class Esperas : public ::testing::TestWithParam<Caso_Espera> {};

TEST_P(Esperas, DobramAteOTetoEVoltamComAPortaEstavel) {
    Espera_Reabertura espera(Preferencias_Porta{});
    const auto zero = Espera_Reabertura::Relogio::time_point{};
    for (const Passo& p : GetParam().passos) {
        const auto instante = zero + std::chrono::seconds(p.segundo);
        switch (p.tipo) {
            case Passo::Tipo::Perdida:
                espera.Perdida(instante);
                break;
            case Passo::Tipo::Falhou:
                espera.Tentativa_Falhou();
                break;
            case Passo::Tipo::Reaberta:
                espera.Reaberta(instante);
                break;
        }
        EXPECT_EQ(espera.Atual().count(), p.espera_ms) << "at second " << p.segundo;
    }
}

using T = Passo::Tipo;

INSTANTIATE_TEST_SUITE_P(Sequencias, Esperas,
                         ::testing::Values(Caso_Espera{"falhas",
                                                       {{T::Perdida, 0, 1000},
                                                        {T::Falhou, 1, 2000},
                                                        {T::Falhou, 3, 4000},
                                                        {T::Falhou, 7, 8000},
                                                        {T::Falhou, 15, 16000},
                                                        {T::Falhou, 31, 30000},
                                                        {T::Falhou, 61, 30000}}},
                                           Caso_Espera{"cabo_intermitente",
                                                       {{T::Perdida, 0, 1000},
                                                        {T::Reaberta, 1, 1000},
                                                        {T::Perdida, 5, 2000},
                                                        {T::Reaberta, 7, 2000},
                                                        {T::Perdida, 9, 4000}}},
                                           Caso_Espera{"porta_estavel",
                                                       {{T::Perdida, 0, 1000},
                                                        {T::Falhou, 1, 2000},
                                                        {T::Falhou, 3, 4000},
                                                        {T::Reaberta, 7, 4000},
                                                        {T::Perdida, 37, 1000}}}),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7
