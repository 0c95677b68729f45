// The link's queues as seen through the log and the engine.
#include <string>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

using Filas = Bancada;

TEST_F(Filas, PrimeiraLinhaEAFilaDoID02EATransmissaoVemNoPrimeiroTick) {
    enlace.Definir_Estado_Protocolo(1);
    enlace.Armazena_Mensagem_TX("ID02");
    ASSERT_EQ(Linhas(), std::vector<std::string>{"#Msg.=0001 Tam.Msg.TX= 004 Msg.TX= ID02"});
    EXPECT_TRUE(porta.escritas.empty());

    enlace.Timer3_Tick();

    const std::string quadro = Bytes({0x02, 0x49, 0x44, 0x30, 0x32, 0x03, 0x0C});
    EXPECT_EQ(porta.Saida(), quadro);
    EXPECT_EQ(Linhas(1), std::vector<std::string>{"Tam.Msg.TX= 007 Msg.TX= " + quadro});
    Filas_Vazias();
}

TEST_F(Filas, LinhaDaFilaDeRecepcaoTrazOUnidadeComoChegou) {
    porta.Receber(Monta_Quadro("LR1"));
    EXPECT_EQ(Linhas(), std::vector<std::string>{"#Msg.=0001 Tam.Msg.RX= 006 Msg.RX= " +
                                                 Monta_Quadro("LR1")});
}

TEST_F(Filas, QuinquagesimaMensagemDeTransmissaoMostra0050EASeguinte0000) {
    for (int i = 1; i <= 50; ++i) {
        enlace.Armazena_Mensagem_TX("M" + std::to_string(i));
    }
    EXPECT_EQ(registro.linhas[48], "#Msg.=0049 Tam.Msg.TX= 003 Msg.TX= M49");
    EXPECT_EQ(registro.linhas[49], "#Msg.=0050 Tam.Msg.TX= 003 Msg.TX= M50");
    enlace.Timer3_Tick();  // sends M1, freeing its slot
    enlace.Armazena_Mensagem_TX("M51");
    EXPECT_EQ(registro.linhas.back(), "#Msg.=0000 Tam.Msg.TX= 003 Msg.TX= M51");
}

TEST_F(Filas, QuinquagesimaUnidadeRecebidaMostra0050EASeguinte0000) {
    for (int i = 1; i <= 50; ++i) {
        porta.Receber(Um_ACK);
    }
    EXPECT_EQ(registro.linhas.back(), "#Msg.=0050 Tam.Msg.RX= 001 Msg.RX= \x06");
    enlace.Timer3_Tick();
    porta.Receber(Um_NAK);
    EXPECT_EQ(registro.linhas.back(), "#Msg.=0000 Tam.Msg.RX= 001 Msg.RX= \x15");
    Ticks(50);
    Filas_Vazias();
}

TEST_F(Filas, FilaDeTransmissaoCheiaRecusaAMensagemEPreservaAsQueEsperam) {
    for (int i = 1; i <= 50; ++i) {
        enlace.Armazena_Mensagem_TX("M" + std::to_string(i));
    }
    const auto antes = Marca();
    enlace.Armazena_Mensagem_TX("M51");
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{cp1252(
                                 "Status: Fila de transmissão cheia, mensagem descartada!")});

    // Every waiting request still goes out, in order, each once acknowledged.
    for (int i = 1; i <= 50; ++i) {
        enlace.Timer3_Tick();
        ASSERT_EQ(Ultima_Escrita(), Monta_Quadro("M" + std::to_string(i)));
        porta.Receber(Um_ACK);
        enlace.Timer3_Tick();
    }
    Ticks(10);
    EXPECT_EQ(Escritas(), 50U);
    Filas_Vazias();
}

TEST_F(Filas, FilaDeRecepcaoCheiaRecusaAUnidadeEPreservaAsQueEsperam) {
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Timer3_Tick();  // awaiting the answer: frames are taken and dropped, one a tick
    for (int i = 0; i < 50; ++i) {
        porta.Receber(Monta_Quadro("Q" + std::to_string(i)));
    }
    const auto antes = Marca();
    porta.Receber(Um_ACK);
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{
                                 cp1252("Status: Fila de recepção cheia, mensagem descartada!")});
    EXPECT_EQ(enlace.Fila_RX().Aguardando(), 50);

    Ticks(50);
    EXPECT_EQ(Linhas(antes).size(), 1U);  // the refused ACK never reached the engine
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);
    Filas_Vazias();
}

TEST_F(Filas, FilaDeRecepcaoCheiaNoMeioDeUmaRajadaSoPerdeOQueNaoCabe) {
    std::string rajada;
    for (int i = 0; i < 52; ++i) {
        rajada += Um_ACK;
    }
    porta.Receber(rajada);
    EXPECT_EQ(enlace.Fila_RX().Aguardando(), 50);
    EXPECT_EQ(registro.linhas.size(), 52U);
    EXPECT_EQ(registro.linhas[50], cp1252("Status: Fila de recepção cheia, mensagem descartada!"));
    EXPECT_EQ(registro.linhas[51], registro.linhas[50]);
}

}  // namespace
}  // namespace qx7::teste
