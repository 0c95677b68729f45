// The opening over the real serial component, against a pseudo-terminal linked as COM1 in a
// temporary base directory: the line's settings and the first frame on the wire.

#include <termios.h>

#include "tests/app/pty_panel_fixture.h"

namespace qx7::teste {
namespace {

TEST_F(Painel_Sobre_Pty, Abre_A_9600_8N1_Em_Modo_Cru) {
    ASSERT_TRUE(painel->Form_Load());
    EXPECT_EQ(configuracoes, 0);
    EXPECT_TRUE(estacao->Canal().PortOpen());
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
    std::filesystem::remove(Arquivo_Configuracao(estacao->Variaveis().Diretorio_Base));
    EXPECT_FALSE(painel->Form_Load());
    EXPECT_EQ(configuracoes, 1);
    EXPECT_FALSE(estacao->Canal().PortOpen());
}

}  // namespace
}  // namespace qx7::teste
