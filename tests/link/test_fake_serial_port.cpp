// The scripted port that the link, start-up and port-probe tests share.
#include <string>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

TEST(Porta_Falsa, RegistraAsConfiguracoesEmOrdem) {
    Porta_Falsa porta;
    EXPECT_TRUE(porta.CommPort(3));
    EXPECT_TRUE(porta.Settings("9600,N,8,1"));
    EXPECT_TRUE(porta.InputLen(1));
    EXPECT_TRUE(porta.RThreshold(1));
    EXPECT_TRUE(porta.DTREnable(true));
    EXPECT_TRUE(porta.RTSEnable(false));
    EXPECT_TRUE(porta.PortOpen(true));
    EXPECT_TRUE(porta.Handshaking(0));
    porta.Descartar_Entrada();
    EXPECT_EQ(porta.operacoes,
              (std::vector<std::string>{"CommPort=3", "Settings=9600,N,8,1", "InputLen=1",
                                        "RThreshold=1", "DTREnable=True", "RTSEnable=False",
                                        "PortOpen=True", "Handshaking=0", "InBufferCount=0"}));
    EXPECT_TRUE(porta.PortOpen());
    EXPECT_EQ(porta.porta, 3);
    EXPECT_TRUE(porta.dtr);
    EXPECT_EQ(porta.Erro(), "");
}

TEST(Porta_Falsa, RecusasComTextoDeErro) {
    Porta_Falsa porta;
    porta.recusa_commport[7] = "porta inexistente";
    porta.recusa_abertura[3] = "porta em uso";
    EXPECT_FALSE(porta.CommPort(0));
    EXPECT_FALSE(porta.Erro().empty());
    EXPECT_FALSE(porta.CommPort(7));
    EXPECT_EQ(porta.Erro(), "porta inexistente");
    EXPECT_FALSE(porta.PortOpen(true));  // no number accepted yet
    EXPECT_TRUE(porta.CommPort(3));
    EXPECT_EQ(porta.Erro(), "");
    EXPECT_FALSE(porta.PortOpen(true));
    EXPECT_EQ(porta.Erro(), "porta em uso");
    EXPECT_FALSE(porta.PortOpen());
    EXPECT_TRUE(porta.CommPort(4));
    EXPECT_TRUE(porta.PortOpen(true));
    EXPECT_TRUE(porta.PortOpen());
    EXPECT_EQ(porta.operacoes.front(), "CommPort=0 (recusado)");
}

TEST(Porta_Falsa, EntradaUmBytePorLeitura) {
    Porta_Falsa porta;
    porta.Colocar_Entrada("ab");
    EXPECT_EQ(porta.InBufferCount(), 2);
    EXPECT_EQ(porta.Input(), "a");
    EXPECT_EQ(porta.Input(), "b");
    EXPECT_EQ(porta.Input(), "");
    EXPECT_EQ(porta.leituras, 3);
    porta.Colocar_Entrada("xyz");
    porta.Descartar_Entrada();
    EXPECT_EQ(porta.InBufferCount(), 0);
}

TEST(Porta_Falsa, SaidaRetidaAteEsvaziar) {
    Porta_Falsa porta;
    porta.Output("abc");
    EXPECT_EQ(porta.OutBufferCount(), 0);
    porta.reter_saida = true;
    porta.RTSEnable(true);
    porta.Output("de");
    EXPECT_EQ(porta.OutBufferCount(), 2);
    porta.Esvaziar_Saida();
    EXPECT_EQ(porta.OutBufferCount(), 0);
    EXPECT_EQ(porta.Saida(), "abcde");
    ASSERT_EQ(porta.escritas.size(), 2U);
    EXPECT_FALSE(porta.escritas[0].rts);
    EXPECT_TRUE(porta.escritas[1].rts);
}

TEST(Porta_Falsa, EventosChegamAoTratadorComSeuCodigo) {
    Porta_Falsa porta;
    std::vector<int> codigos;
    porta.OnComm([&] { codigos.push_back(porta.CommEvent()); });
    porta.Disparar(evento::Break);
    porta.Receber("xy");
    porta.Receber_Um_A_Um("ab");
    porta.Mudar_CTS(true);
    porta.Mudar_DSR(false);
    EXPECT_EQ(codigos, (std::vector<int>{1001, 2, 2, 2, 3, 4}));
    EXPECT_TRUE(porta.CTSHolding());
    EXPECT_FALSE(porta.DSRHolding());
    EXPECT_EQ(porta.InBufferCount(), 4);
}

TEST(Porta_Falsa, EnlaceDestruidoDeixaAPortaSemTratador) {
    Porta_Falsa porta;
    Plataforma_Falsa plataforma;
    Registro_Falso registro;
    Painel_Falso painel;
    {
        Enlace enlace(porta, plataforma, registro, painel);
        porta.Disparar(evento::Break);
    }
    porta.Disparar(evento::Break);
    EXPECT_EQ(registro.linhas.size(), 1U);
}

}  // namespace
}  // namespace qx7::teste
