// The opening over the real serial component, against a pseudo-terminal linked as COM1 in a
// temporary base directory: the line's settings and the first frame on the wire.

#include <termios.h>

#include <gtest/gtest.h>
#include <QTest>
#include <filesystem>

#include "app/serial_port_qt.h"
#include "tests/app/panel_fixture.h"
#include "tests/support/pty.h"

namespace qx7::teste {
namespace {

class Painel_Sobre_Pty : public testing::Test {
  protected:
    void SetUp() override {
        variaveis.Diretorio_Base = std::filesystem::path(diretorio.path().toStdString()) / "";
        std::filesystem::create_symlink(pty.Caminho_Escravo(), variaveis.Diretorio_Base / "COM1");
        std::ofstream(Arquivo_Configuracao(variaveis.Diretorio_Base), std::ios::binary)
            << "COM1\r\n";
        porta = std::make_unique<Porta_Serial_Qt>(variaveis.Diretorio_Base);
        Servicos_Form1 servicos;
        servicos.abrir_configuracao = [this](QWidget*) {
            ++configuracoes;
            return false;
        };
        servicos.confirmar_saida = [](QWidget*) { return true; };
        servicos.encerrar = [] {};
        servicos.telas = &telas;
        painel = std::make_unique<Form1>(variaveis, *porta, std::move(servicos));
    }

    // What the far end has received so far, waiting up to `ms` for `minimo` bytes while the
    // panel's timers run.
    std::string Receber(std::size_t minimo, int ms) {
        std::string recebido;
        // The caller compares what came; a short answer shows in that comparison.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                recebido += pty.Ler(std::chrono::milliseconds(5));
                return recebido.size() >= minimo;
            },
            ms));
        return recebido;
    }

    QTemporaryDir diretorio;
    Pseudo_Terminal pty;
    Variaveis_Programa variaveis;
    Telas_Falsas telas;
    std::unique_ptr<Porta_Serial_Qt> porta;
    std::unique_ptr<Form1> painel;
    int configuracoes = 0;
};

TEST_F(Painel_Sobre_Pty, Abre_A_9600_8N1_Em_Modo_Cru) {
    ASSERT_TRUE(painel->Form_Load());
    EXPECT_EQ(configuracoes, 0);
    EXPECT_TRUE(porta->PortOpen());
    termios modo{};
    ASSERT_EQ(tcgetattr(pty.Mestre(), &modo), 0);  // a master reports its slave's settings
    EXPECT_EQ(cfgetospeed(&modo), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&modo), static_cast<speed_t>(B9600));
    EXPECT_EQ(modo.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(modo.c_cflag & PARENB, 0u);
    EXPECT_EQ(modo.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(modo.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(modo.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(modo.c_oflag & OPOST, 0u);
    EXPECT_EQ(modo.c_iflag & (IXON | IXOFF | ICRNL | INLCR | ISTRIP), 0u);
}

TEST_F(Painel_Sobre_Pty, Primeiro_Quadro_Na_Linha_E_O_ID02) {
    ASSERT_TRUE(painel->Form_Load());
    EXPECT_EQ(Receber(7, 3000), std::string("\x02ID02\x03\x0C"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return painel->Log().rowCount() >= 2; }, 3000));
    EXPECT_EQ(painel->Log().Linha(1), std::string("Tam.Msg.TX= 007 Msg.TX= \x02ID02\x03\x0C"));
}

TEST_F(Painel_Sobre_Pty, Sem_Arquivo_Mostra_Configuracao_E_Pode_Sair) {
    std::filesystem::remove(Arquivo_Configuracao(variaveis.Diretorio_Base));
    EXPECT_FALSE(painel->Form_Load());
    EXPECT_EQ(configuracoes, 1);
    EXPECT_FALSE(porta->PortOpen());
}

}  // namespace
}  // namespace qx7::teste
