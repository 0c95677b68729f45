// OnComm: line events and their log texts, CTS following, the receive loop.
#include <string>
#include <utility>
#include <vector>

#include "link_bench.h"

namespace qx7::teste {
namespace {

using Eventos = Bancada;

struct Caso_Evento {
    int codigo;
    const char* texto;  // UTF-8
};

class Eventos_Linha : public Bancada, public ::testing::WithParamInterface<Caso_Evento> {};

TEST_P(Eventos_Linha, RegistraOTextoDoEventoESoIsso) {
    porta.Disparar(GetParam().codigo);
    EXPECT_EQ(Linhas(), std::vector<std::string>{"Evento : " + cp1252(GetParam().texto)});
    EXPECT_TRUE(porta.escritas.empty());
    EXPECT_TRUE(porta.historico_rts.empty());
    Filas_Vazias();
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Eventos_Linha,
    ::testing::Values(
        Caso_Evento{1001, "Recebeu BREAK"}, Caso_Evento{1007, "Ocorreu timeout do CD"},
        Caso_Evento{1002, "Ocorreu timeout do CTS"}, Caso_Evento{1003, "Ocorreu timeout do DSR"},
        Caso_Evento{1004, "Ocorreu erro de Framing"}, Caso_Evento{1006, "Ocorreu erro de Overrun"},
        Caso_Evento{1008, "Ocorreu overflow no buffer de recepção"},
        Caso_Evento{1009, "Ocorreu erro de paridade"},
        Caso_Evento{1010, "Ocorreu buffer de transmissão cheio"},
        Caso_Evento{1011, "Ocorreu erro no Port (DCB)"}, Caso_Evento{5, "Ocorreu transição do CD"},
        Caso_Evento{4, "Ocorreu transição do DSR"},
        Caso_Evento{6, "Ocorreu transição do Ring Indicator"},
        Caso_Evento{1, "Vai transmitir mensagem de tamanho definido"},
        Caso_Evento{7, "Recebeu caracter EOF"}));

TEST_F(Eventos, TextosComAcentoVemNaPaginaDeCodigoDaLinha) {
    porta.Disparar(evento::Overflow_RX);
    EXPECT_EQ(registro.linhas.back(),
              "Evento : Ocorreu overflow no buffer de recep" + Bytes({0xE7, 0xE3}) + "o");
}

TEST_F(Eventos, CodigosDesconhecidosNaoEscrevemNada) {
    for (const int codigo : {0, 8, 1005, 1012, 9999, -1}) {
        porta.Disparar(codigo);
    }
    EXPECT_TRUE(registro.linhas.empty());
}

struct Caso_CTS {
    bool cts;
    const char* palavra;
};

class Mudanca_CTS : public Bancada, public ::testing::WithParamInterface<Caso_CTS> {};

TEST_P(Mudanca_CTS, RTSSegueOCTSEOTextoDizONovoEstado) {
    porta.rts = !GetParam().cts;
    porta.Mudar_CTS(GetParam().cts);
    EXPECT_EQ(porta.historico_rts, std::vector<bool>{GetParam().cts});
    EXPECT_EQ(registro.linhas,
              std::vector<std::string>{cp1252("Evento : Ocorreu transição do CTS p/ ") +
                                       GetParam().palavra});
}

INSTANTIATE_TEST_SUITE_P(Estados, Mudanca_CTS,
                         ::testing::Values(Caso_CTS{true, "True"}, Caso_CTS{false, "False"}));

TEST_F(Eventos, EventoDeRecepcaoSemNadaParaLerNaoEscreveNada) {
    porta.Disparar(evento::Recepcao);
    EXPECT_TRUE(registro.linhas.empty());
    EXPECT_EQ(porta.leituras, 1);
}

TEST_F(Eventos, LeUmCaracterPorVezCedendoAntesDeCadaLeitura) {
    const std::string abc = Bytes({0x02, 0x61, 0x62, 0x63, 0x03, 0x63});
    porta.Receber(abc);
    EXPECT_EQ(porta.leituras, 6);
    EXPECT_EQ(plataforma.rendimentos, 6);
    EXPECT_EQ(registro.linhas,
              std::vector<std::string>{"#Msg.=0001 Tam.Msg.RX= 006 Msg.RX= " + abc});
    EXPECT_EQ(porta.InBufferCount(), 0);
}

// The receive units that one set of bytes gives, delivered in one burst or a byte per event.
std::vector<std::string> Unidades(const std::vector<std::string>& linhas) {
    std::vector<std::string> unidades;
    for (const auto& linha : linhas) {
        unidades.push_back(linha.substr(std::string("#Msg.=0001 Tam.Msg.RX= 006 Msg.RX= ").size()));
    }
    return unidades;
}

struct Caso_Rajada {
    const char* nome;
    std::string bytes;
    std::vector<std::string> unidades;
};

class Rajada_Ou_Byte : public ::testing::TestWithParam<Caso_Rajada> {};

TEST_P(Rajada_Ou_Byte, DaAsMesmasUnidades) {
    Porta_Falsa porta_rajada;
    Porta_Falsa porta_byte;
    Plataforma_Falsa plataforma;
    Painel_Falso painel;
    Registro_Falso registro_rajada;
    Registro_Falso registro_byte;
    Enlace rajada(porta_rajada, plataforma, registro_rajada, painel);
    Enlace byte(porta_byte, plataforma, registro_byte, painel);

    porta_rajada.Receber(GetParam().bytes);
    porta_byte.Receber_Um_A_Um(GetParam().bytes);

    EXPECT_EQ(Unidades(registro_rajada.linhas), GetParam().unidades);
    EXPECT_EQ(registro_byte.linhas, registro_rajada.linhas);
}

const std::string abc = Bytes({0x02, 0x61, 0x62, 0x63, 0x03, 0x63});
const std::string lr = Bytes({0x02, 0x4C, 0x52, 0x03, 0x1D});

INSTANTIATE_TEST_SUITE_P(Casos, Rajada_Ou_Byte,
                         ::testing::Values(Caso_Rajada{"UmQuadro", abc, {abc}},
                                           Caso_Rajada{"DoisQuadros", abc + lr, {abc, lr}},
                                           Caso_Rajada{"ACKEntreQuadrosERuido",
                                                       "\x7F\x06" + abc + "\x15",
                                                       {"\x06", abc, "\x15"}},
                                           Caso_Rajada{"ACKNoMeioDoQuadro",
                                                       Bytes({0x02, 0x06, 0x03, 0x05}),
                                                       {Bytes({0x02, 0x06, 0x03, 0x05})}}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Eventos, OnCommAninhadoContinuaAMesmaMontagem) {
    const std::string abc = Bytes({0x02, 0x61, 0x62, 0x63, 0x03, 0x63});
    int cedidas = 0;
    plataforma.ao_processar = [&] {
        if (++cedidas == 2) {
            porta.Receber(abc.substr(2));  // a nested event while the outer one yields
        }
    };
    porta.Receber(abc.substr(0, 2));

    EXPECT_EQ(registro.linhas,
              std::vector<std::string>{"#Msg.=0001 Tam.Msg.RX= 006 Msg.RX= " + abc});
    // Outer reads: STX, then one empty read after the nested event drained the rest.
    EXPECT_EQ(porta.leituras, 2 + 5);
    EXPECT_EQ(porta.InBufferCount(), 0);
    enlace.Timer3_Tick();
    EXPECT_EQ(decodificados, std::vector<std::string>{abc});
}

TEST_F(Eventos, ErroDeParidadeNoMeioDoQuadroERegistradoEOQuadroContinua) {
    porta.Receber(
        "\x02"
        "ab");
    porta.Disparar(evento::Erro_Paridade);
    porta.Receber(
        "c\x03"
        "c");
    EXPECT_EQ(registro.linhas, (std::vector<std::string>{
                                   "Evento : Ocorreu erro de paridade",
                                   "#Msg.=0001 Tam.Msg.RX= 006 Msg.RX= \x02"
                                   "abc\x03"
                                   "c",
                               }));
}

TEST_F(Eventos, EventoDeLinhaDuranteARecepcaoNaoInterrompeALeitura) {
    int cedidas = 0;
    plataforma.ao_processar = [&] {
        if (++cedidas == 3) {
            porta.Disparar(evento::Erro_Framing);
        }
    };
    porta.Receber(lr);
    EXPECT_EQ(registro.linhas, (std::vector<std::string>{
                                   "Evento : Ocorreu erro de Framing",
                                   "#Msg.=0001 Tam.Msg.RX= 005 Msg.RX= " + lr,
                               }));
}

TEST_F(Eventos, UnidadeAlemDoLimiteEDescartadaComUmaLinhaDeStatus) {
    porta.Receber("\x02" + std::string(Tamanho_Maximo_Unidade, 'a') +
                  "bbb\x03"
                  "c");
    EXPECT_EQ(registro.linhas,
              std::vector<std::string>{
                  "Status: Mensagem recebida descartada (excedeu 65536 caracteres)!"});
    EXPECT_TRUE(enlace.Fila_RX().Vazia());

    porta.Receber(lr);
    EXPECT_EQ(registro.linhas.back(), "#Msg.=0001 Tam.Msg.RX= 005 Msg.RX= " + lr);
}

TEST_F(Eventos, EntradaComMaisDeUmCaracterPorLeituraEMontadaPorInteiro) {
    porta.input_len = 0;  // a component left reading everything at once
    porta.Receber(abc + "\x06");
    EXPECT_EQ(porta.leituras, 1);
    EXPECT_EQ(registro.linhas, (std::vector<std::string>{
                                   "#Msg.=0001 Tam.Msg.RX= 006 Msg.RX= " + abc,
                                   "#Msg.=0002 Tam.Msg.RX= 001 Msg.RX= \x06",
                               }));
}

}  // namespace
}  // namespace qx7::teste
