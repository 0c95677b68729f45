// Transmite_Mensagem as the engine uses it: RTS around the bytes, the wait for the transmit
// buffer, its log line or its time-out.
#include <string>
#include <utility>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

using Transmissao = Bancada;

TEST_F(Transmissao, RTSSobeAntesDosBytesECaiDepoisComPausasDe5ms) {
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Timer3_Tick();
    ASSERT_EQ(porta.escritas.size(), 1U);
    EXPECT_TRUE(porta.escritas[0].rts);
    EXPECT_EQ(porta.historico_rts, (std::vector<bool>{true, false}));
    EXPECT_FALSE(porta.rts);
    EXPECT_EQ(plataforma.pausas, (std::vector<int>{5, 5}));
    EXPECT_EQ(porta.escritas[0].bytes, Bytes({0x02, 0x4C, 0x52, 0x03, 0x1D}));
}

TEST_F(Transmissao, ACKVaiSemBCCEComTamanho001) {
    porta.Receber(Monta_Quadro("LR"));
    const auto antes = Marca();
    enlace.Timer3_Tick();
    ASSERT_EQ(porta.escritas.size(), 1U);
    EXPECT_EQ(porta.escritas[0].bytes, Um_ACK);
    EXPECT_TRUE(porta.escritas[0].rts);
    EXPECT_EQ(Linhas(antes), (std::vector<std::string>{"Tam.Msg.TX= 001 Msg.TX= \x06",
                                                       "Status: Transmitiu ACK!"}));
    Filas_Vazias();
}

TEST_F(Transmissao, PayloadDeMilCaracteresERegistradoComTamanho1003) {
    const std::string payload(1000, 'x');
    enlace.Armazena_Mensagem_TX(payload);
    EXPECT_EQ(registro.linhas.back(), "#Msg.=0001 Tam.Msg.TX= 1000 Msg.TX= " + payload);
    enlace.Timer3_Tick();
    const std::string quadro = Monta_Quadro(payload);
    ASSERT_EQ(quadro.size(), 1003U);
    EXPECT_EQ(registro.linhas.back(), "Tam.Msg.TX= 1003 Msg.TX= " + quadro);
    EXPECT_EQ(Ultima_Escrita(), quadro);
}

TEST_F(Transmissao, EsperaOBufferEsvaziarCedendoAosEventos) {
    porta.reter_saida = true;
    int cedidas = 0;
    plataforma.ao_processar = [&] {
        if (++cedidas == 3) {
            porta.Esvaziar_Saida();
        }
    };
    enlace.Armazena_Mensagem_TX("LR");
    const auto antes = Marca();
    enlace.Timer3_Tick();
    EXPECT_EQ(cedidas, 3);
    EXPECT_EQ(Linhas(antes),
              std::vector<std::string>{"Tam.Msg.TX= 005 Msg.TX= " + Monta_Quadro("LR")});
    EXPECT_FALSE(porta.rts);
}

TEST_F(Transmissao, TempoDeEsperaAindaNaoEsgotadoComQuatroSegundos) {
    porta.reter_saida = true;
    int segundos = 0;
    plataforma.ao_processar = [&] {
        if (segundos < 4) {
            ++segundos;
            enlace.Timer2_Tick();
        } else {
            porta.Esvaziar_Saida();
        }
    };
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), "Tam.Msg.TX= 005 Msg.TX= " + Monta_Quadro("LR"));
}

TEST_F(Transmissao, BufferQueNuncaEsvaziaDaTimeOutDeTransmissaoERTSCaiDepois) {
    porta.reter_saida = true;
    std::vector<bool> rts_a_cada_segundo;
    plataforma.ao_processar = [&] {
        rts_a_cada_segundo.push_back(porta.rts);
        enlace.Timer2_Tick();
    };
    enlace.Armazena_Mensagem_TX("LR");
    const auto antes = Marca();
    enlace.Timer3_Tick();

    EXPECT_EQ(rts_a_cada_segundo, std::vector<bool>(5, true));
    EXPECT_EQ(Linhas(antes), std::vector<std::string>{cp1252("Status: Time-out de Transmissão!")});
    EXPECT_EQ(porta.historico_rts, (std::vector<bool>{true, false}));
    EXPECT_EQ(plataforma.pausas, (std::vector<int>{5, 5}));

    // The engine carries on as if sent: the acknowledgement time-out follows.
    plataforma.ao_processar = nullptr;
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);
    Segundos(4);
    Ticks(10);
    EXPECT_EQ(Linhas(antes).size(), 1U);
    Segundos(1);
    enlace.Timer3_Tick();
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Time-Out de Recepção!"));
    EXPECT_EQ(Escritas(), 1U);
}

TEST_F(Transmissao, EventosDuranteAEsperaSaoAtendidos) {
    porta.reter_saida = true;
    bool feito = false;
    plataforma.ao_processar = [&] {
        if (std::exchange(feito, true)) {
            return;
        }
        porta.Receber(Um_ACK);
        enlace.Armazena_Mensagem_TX("MA");
        porta.Esvaziar_Saida();
    };
    enlace.Armazena_Mensagem_TX("LR");
    enlace.Timer3_Tick();
    porta.reter_saida = false;
    EXPECT_EQ(Linhas(1), (std::vector<std::string>{
                             "#Msg.=0001 Tam.Msg.RX= 001 Msg.RX= \x06",
                             "#Msg.=0002 Tam.Msg.TX= 002 Msg.TX= MA",
                             "Tam.Msg.TX= 005 Msg.TX= " + Monta_Quadro("LR"),
                         }));
    enlace.Timer3_Tick();  // the ACK that arrived during the wait
    EXPECT_EQ(registro.linhas.back(), cp1252("Status: Transmissão OK!"));
    enlace.Timer3_Tick();
    EXPECT_EQ(Ultima_Escrita(), Monta_Quadro("MA"));
}

}  // namespace
}  // namespace qx7::teste

namespace qx7::teste {
namespace {

struct Caso_Fio {
    const char* payload;
    std::string bytes;
    const char* tamanho;
};

class Quadro_No_Fio : public Bancada, public ::testing::WithParamInterface<Caso_Fio> {};

TEST_P(Quadro_No_Fio, PedidoSaiComSTXETXEBCC) {
    enlace.Armazena_Mensagem_TX(GetParam().payload);
    enlace.Timer3_Tick();
    EXPECT_EQ(porta.Saida(), GetParam().bytes);
    EXPECT_EQ(registro.linhas.back(),
              std::string("Tam.Msg.TX= ") + GetParam().tamanho + " Msg.TX= " + GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Exemplos, Quadro_No_Fio,
    ::testing::Values(Caso_Fio{"abc", Bytes({0x02, 0x61, 0x62, 0x63, 0x03, 0x63}), "006"},
                      Caso_Fio{"ID01", Bytes({0x02, 0x49, 0x44, 0x30, 0x31, 0x03, 0x0F}), "007"},
                      Caso_Fio{"ID02", Bytes({0x02, 0x49, 0x44, 0x30, 0x32, 0x03, 0x0C}), "007"},
                      Caso_Fio{"LR", Bytes({0x02, 0x4C, 0x52, 0x03, 0x1D}), "005"}));

TEST(Enlace_Construcao, NaoAbreNemConfiguraAPortaMasAtendeSeusEventos) {
    Porta_Falsa porta;
    Plataforma_Falsa plataforma;
    Registro_Falso registro;
    Painel_Falso painel;
    Enlace enlace(porta, plataforma, registro, painel);
    EXPECT_TRUE(porta.operacoes.empty());
    EXPECT_FALSE(porta.PortOpen());
    EXPECT_TRUE(registro.linhas.empty());
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    EXPECT_TRUE(enlace.Fila_RX().Vazia());
    EXPECT_TRUE(enlace.Fila_TX().Vazia());
    EXPECT_EQ(enlace.Fila_TX().Indice_Grava(), 0);
    porta.Disparar(evento::Break);
    EXPECT_EQ(registro.linhas, std::vector<std::string>{"Evento : Recebeu BREAK"});
}

}  // namespace
}  // namespace qx7::teste
