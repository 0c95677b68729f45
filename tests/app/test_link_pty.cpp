// The link and the gauge logic over the real serial component: the test plays the gauge on
// the master side of a pseudo-terminal and checks every byte the program puts on the line.

#include <QPushButton>

#include "link/codepage.h"
#include "link/frame.h"
#include "tests/app/pty_panel_fixture.h"

namespace qx7::teste {
namespace {

const std::string Ack(1, ACK);
const std::string Nak(1, NAK);

class Linha_Sobre_Pty : public Painel_Sobre_Pty {
  protected:
    // Waits until the far end has received exactly `esperado` since the last call.
    void Esperar(const std::string& esperado, int ms = 3000) {
        recebido_ += Receber(esperado.size(), ms);
        EXPECT_EQ(recebido_.substr(0, esperado.size()), esperado);
        recebido_.erase(0, std::min(esperado.size(), recebido_.size()));
    }

    // Starts the panel and acknowledges the disconnection request it sends first.
    void Iniciar() {
        ASSERT_TRUE(painel->Form_Load());
        Esperar(Monta_Quadro("ID02"));
        pty.Escrever(Ack);
    }

    bool No_Log(const std::string& linha) const {
        for (int i = 0; i < painel->Log().rowCount(); ++i) {
            if (painel->Log().Linha(i) == linha) {
                return true;
            }
        }
        return false;
    }

    void Clicar(const char* nome) {
        auto* botao = painel->findChild<QPushButton*>(QString::fromUtf8(nome));
        ASSERT_NE(botao, nullptr) << nome;
        botao->click();
    }

    std::string recebido_;
};

TEST_F(Linha_Sobre_Pty, Quadro_Bom_Recebe_ACK_E_Quadro_Ruim_NAK) {
    Iniciar();
    pty.Escrever(
        Monta_Quadro("LR090530311218"
                     "02"));
    Esperar(Ack);
    std::string ruim = Monta_Quadro(
        "LR090530311218"
        "02");
    ruim.back() = static_cast<char>(ruim.back() ^ 0x01);
    pty.Escrever(ruim);
    Esperar(Nak);
    EXPECT_TRUE(No_Log("Status: Transmitiu NACK!"));
    EXPECT_EQ(estacao->Painel().Texto(Controle::LR_Hora), "09:05:30");
}

TEST_F(Linha_Sobre_Pty, Pedido_Recusado_Sai_Quatro_Vezes_Ao_Todo) {
    ASSERT_TRUE(painel->Form_Load());
    for (int vez = 0; vez < 4; ++vez) {
        Esperar(Monta_Quadro("ID02"));
        pty.Escrever(Nak);
    }
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return No_Log("Status: NACK - Estouro de Retries (3)!"); }, 3000));
    EXPECT_EQ(Receber(1, 300), "");  // no fifth transmission
}

TEST_F(Linha_Sobre_Pty, Ciclo_De_Conexao_E_Inventario_Byte_A_Byte) {
    estacao->Variaveis().Senha_Usuario = "qx7";
    Iniciar();

    Clicar("Abrir_Conexão");
    Esperar(Monta_Quadro("ID01"));
    pty.Escrever(Ack + Monta_Quadro("IDA0121"));
    Esperar(Ack + Monta_Quadro("CFqx7"));
    pty.Escrever(Ack + Monta_Quadro("CF04004711"
                                    "1"));
    Esperar(Ack);
    EXPECT_EQ(estacao->Painel().Texto(Controle::Estado), "ON-LINE");
    EXPECT_EQ(estacao->Painel().Texto(Controle::CF_TipoMedidor), "Posto");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return painel->findChild<QWidget*>("Frame6")->isEnabled(); }, 1000));

    Clicar("IV_Cmd");
    Esperar(Monta_Quadro("MA"));
    pty.Escrever(Ack);
    for (int tanque = 1; tanque <= 4; ++tanque) {
        const std::string fim = tanque == 4 ? "\r" : " ";
        pty.Escrever(Monta_Quadro("MA " + std::string(1, static_cast<char>('0' + tanque / 10)) +
                                  std::string(1, static_cast<char>('0' + tanque % 10)) +
                                  "0.85GC015000000750000250143005050318V" + fim));
        Esperar(Ack);
    }
    EXPECT_EQ(telas.aberturas, (std::vector<std::string>{"Senha", "Inventario"}));
    EXPECT_FALSE(estacao->Variaveis().Modo_Inventario);
    EXPECT_EQ(estacao->Variaveis().Tabela_Tanques[4][0], " 04");
    EXPECT_EQ(estacao->Painel().Texto(Controle::Inf_Erro),
              cp1252("Término da(s) leitura(s) do(s) tanque(s)!"));
}

}  // namespace
}  // namespace qx7::teste
