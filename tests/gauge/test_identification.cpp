#include <gtest/gtest.h>

#include "tests/gauge/bench.h"

namespace qx7::teste {
namespace {

class Identificacao_Senha : public Bancada, public ::testing::WithParamInterface<std::string> {};

TEST_P(Identificacao_Senha, EnderecoEsperadoFilaCFComASenhaComoDigitada) {
    variaveis.Senha_Usuario = GetParam();
    painel.Definir_Texto(Controle::Inf_Erro, "anterior");

    Receber("IDA0123");

    EXPECT_EQ(Texto(Controle::ID_Endereco), "A01");
    EXPECT_EQ(Texto(Controle::ID_Versao), "23");
    EXPECT_EQ(Texto(Controle::Estado), "ON-LINE");
    EXPECT_EQ(Texto(Controle::Comando_QX7), "CF" + GetParam());
    // Not the send action: no upper case, no state change, Inf_Erro kept.
    EXPECT_EQ(enlace.eventos, (std::vector<std::string>{"TX CF" + GetParam()}));
    EXPECT_EQ(Texto(Controle::Inf_Erro), "anterior");
}

INSTANTIATE_TEST_SUITE_P(Senhas, Identificacao_Senha,
                         ::testing::Values("SENHA", "senha", " com brancos ", ""));

class Identificacao_Outro : public Bancada, public ::testing::WithParamInterface<std::string> {};

TEST_P(Identificacao_Outro, OutroEnderecoMostraMasNaoFilaNada) {
    variaveis.Senha_Usuario = "x";
    Receber("ID" + GetParam() + "07");

    EXPECT_EQ(Texto(Controle::ID_Endereco), GetParam());
    EXPECT_EQ(Texto(Controle::ID_Versao), "07");
    EXPECT_EQ(Texto(Controle::Estado), "ON-LINE");
    EXPECT_TRUE(enlace.eventos.empty());
    EXPECT_TRUE(painel.habilitados.empty());
}

INSTANTIATE_TEST_SUITE_P(Enderecos, Identificacao_Outro,
                         ::testing::Values("A02", "a01", "B01", "A1 ", " A0"));

TEST_F(Bancada, IdentificacaoCurtaMostraOQueHaENaoFila) {
    Receber("IDA0");
    EXPECT_EQ(Texto(Controle::ID_Endereco), "A0\x03");
    EXPECT_EQ(Texto(Controle::Estado), "ON-LINE");
    EXPECT_TRUE(enlace.mensagens.empty());
}

struct Caso_Tipo {
    std::string resposta;
    std::string tipo;
};

class Configuracao_Tipo : public Bancada, public ::testing::WithParamInterface<Caso_Tipo> {};

TEST_P(Configuracao_Tipo, MostraCamposETipo) {
    Receber(GetParam().resposta);
    EXPECT_EQ(Texto(Controle::CF_NumTanques), "06");
    EXPECT_EQ(Texto(Controle::CF_NumOFE), "123456");
    EXPECT_EQ(Texto(Controle::CF_TipoMedidor), GetParam().tipo);
}

INSTANTIATE_TEST_SUITE_P(Tipos, Configuracao_Tipo,
                         ::testing::Values(Caso_Tipo{"CF061234561", "Posto"},
                                           Caso_Tipo{"CF061234560", "Industrial"},
                                           Caso_Tipo{"CF06123456 ", "Industrial"},
                                           Caso_Tipo{"CF06123456", "Industrial"}));

TEST_F(Bancada, ConfiguracaoDestravaOPainel) {
    painel.Habilitar(Controle::Configuracao, false);
    Receber("CF161234561");
    for (const Controle c :
         {Controle::Frame3, Controle::Frame5, Controle::Frame6, Controle::Frame8,
          Controle::Configuracao, Controle::Fechar_Conexao, Controle::Leitura_Tanques}) {
        EXPECT_TRUE(painel.habilitados.at(c)) << static_cast<int>(c);
    }
    EXPECT_FALSE(painel.habilitados.at(Controle::Abrir_Conexao));
}

struct Caso_Tanques {
    std::string contagem;
    int habilitados;  // buttons TQ_Ativo(0) .. (habilitados - 1) stay enabled
};

class Configuracao_Tanques : public Bancada, public ::testing::WithParamInterface<Caso_Tanques> {};

TEST_P(Configuracao_Tanques, DesabilitaOsBotoesAlemDaContagem) {
    Receber("CF" + GetParam().contagem + "1234561");
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(painel.Tanque_Habilitado(k), k < GetParam().habilitados) << k;
    }
}

// A count that is not a whole number from 0 upward leaves all sixteen as they were.
INSTANTIATE_TEST_SUITE_P(Contagens, Configuracao_Tanques,
                         ::testing::Values(Caso_Tanques{"04", 4}, Caso_Tanques{"06", 6},
                                           Caso_Tanques{"16", 16}, Caso_Tanques{"99", 16},
                                           Caso_Tanques{"00", 0}, Caso_Tanques{" 6", 6},
                                           Caso_Tanques{"6 ", 6}, Caso_Tanques{"  ", 16},
                                           Caso_Tanques{"-1", 16}, Caso_Tanques{"+4", 16},
                                           Caso_Tanques{"4x", 16}, Caso_Tanques{"ab", 16},
                                           Caso_Tanques{"4.", 16}));

TEST_F(Bancada, ConfiguracaoSemContagemNaoMexeNosTanques) {
    Receber("CF");
    for (int k = 0; k < 16; ++k) {
        EXPECT_TRUE(painel.Tanque_Habilitado(k)) << k;
    }
    EXPECT_TRUE(painel.habilitados.at(Controle::Frame5));
}

TEST_F(Bancada, ConfiguracaoNuncaReabilitaTanques) {
    Receber("CF041234561");
    Receber("CF081234561");
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(painel.Tanque_Habilitado(k), k < 4) << k;
    }
}

}  // namespace
}  // namespace qx7::teste
