// The simulator's settings file and command line, good values and bad.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "tools/simulador/civil_time.h"
#include "tools/simulador/command_line.h"
#include "tools/simulador/settings.h"

namespace qx7::simulador {
namespace {

TEST(SimuladorConfiguracao, ArquivoCompleto) {
    Config_Medidor medidor = Medidor_Padrao();
    std::string erro;
    const char* texto =
        "# posto de teste\r\n"
        "tanques = 3\r\n"
        "\n"
        "endereco = B02\n"
        "versao = 07\n"
        "ofe = 123456\n"
        "tipo = industrial\n"
        "senha = segredo\n"
        "relogio = 311218 090530\n"
        "tanque.2.produto = 09\n"
        "tanque.2.densidade = 0\n"
        "tanque.2.capacidade = 999999\n"
        "tanque.2.medido = 1000\n"
        "tanque.2.complementar = 200\n"
        "tanque.2.unidade = P\n"
        "tanque.2.deriva = -1.5\n"
        "programada = 301218 060000 2 001234\n"
        "programada = 301218 180000 3 55\n";
    ASSERT_TRUE(Ler_Configuracao(medidor, texto, erro)) << erro;
    EXPECT_EQ(medidor.numero_tanques, 3);
    EXPECT_EQ(medidor.endereco, "B02");
    EXPECT_EQ(medidor.versao, "07");
    EXPECT_EQ(medidor.ofe, "123456");
    EXPECT_FALSE(medidor.posto);
    EXPECT_EQ(medidor.senha, "segredo");
    EXPECT_EQ(medidor.relogio_inicial, Ler_Data_Hora("311218", "090530"));
    const auto& tanque = medidor.tanques[1];
    EXPECT_EQ(tanque.produto, "09");
    EXPECT_EQ(tanque.densidade, 0);
    EXPECT_EQ(tanque.capacidade, 999999);
    EXPECT_EQ(tanque.medido, 1000);
    EXPECT_EQ(tanque.complementar, 200);
    EXPECT_TRUE(tanque.peso);
    EXPECT_EQ(tanque.deriva, -1.5);
    EXPECT_EQ(medidor.tanques[0].produto, Tanque_Padrao(1).produto);  // untouched
    ASSERT_EQ(medidor.programadas.size(), 2u);
    EXPECT_FALSE(medidor.programadas_padrao);
    EXPECT_EQ(medidor.programadas[0].data, "301218");
    EXPECT_EQ(medidor.programadas[0].volume, 1234);
    EXPECT_EQ(medidor.programadas[1].tanque, 3);
}

TEST(SimuladorConfiguracao, ArquivoDeExemploEValido) {
    Config_Medidor medidor = Medidor_Padrao();
    std::string erro;
    ASSERT_TRUE(Ler_Arquivo_Configuracao(medidor, QX7_SIMULADOR_EXEMPLO, erro)) << erro;
    EXPECT_EQ(medidor.numero_tanques, 4);
    EXPECT_TRUE(medidor.tanques[2].peso);
    EXPECT_EQ(medidor.tanques[1].complementar, 6000);
    EXPECT_EQ(medidor.programadas.size(), 4u);
    EXPECT_EQ(medidor.relogio_inicial, Ler_Data_Hora("071226", "080000"));
}

TEST(SimuladorConfiguracao, SemProgramadas) {
    Config_Medidor medidor = Medidor_Padrao();
    std::string erro;
    ASSERT_TRUE(Aplicar_Definicao(medidor, "programadas=nenhuma", erro)) << erro;
    EXPECT_FALSE(medidor.programadas_padrao);
    EXPECT_TRUE(medidor.programadas.empty());
}

TEST(SimuladorConfiguracao, SenhaAcentuadaNaCodificacaoDaLinha) {
    Config_Medidor medidor;
    std::string erro;
    ASSERT_TRUE(Aplicar_Definicao(medidor, "senha", "ação", erro));
    EXPECT_EQ(medidor.senha, "a\xE7\xE3o");
}

struct Caso_Invalido {
    const char* definicao;
    const char* mensagem;  // part of the reason
};

class SimuladorDefinicaoInvalida : public ::testing::TestWithParam<Caso_Invalido> {};

TEST_P(SimuladorDefinicaoInvalida, RecusadaComMotivo) {
    Config_Medidor medidor = Medidor_Padrao();
    const Config_Medidor antes = medidor;
    std::string erro;
    EXPECT_FALSE(Aplicar_Definicao(medidor, GetParam().definicao, erro));
    EXPECT_NE(erro.find(GetParam().mensagem), std::string::npos) << erro;
    EXPECT_EQ(medidor.numero_tanques, antes.numero_tanques);
    EXPECT_EQ(medidor.endereco, antes.endereco);
}

INSTANTIATE_TEST_SUITE_P(
    Todos, SimuladorDefinicaoInvalida,
    ::testing::Values(Caso_Invalido{"tanques=0", "inteiro de 1 a 16"},
                      Caso_Invalido{"tanques=17", "inteiro de 1 a 16"},
                      Caso_Invalido{"tanques=dez", "inteiro de 1 a 16"},
                      Caso_Invalido{"tanques=", "inteiro de 1 a 16"},
                      Caso_Invalido{"endereco=A1", "3 caracteres"},
                      Caso_Invalido{"versao=123", "2 caracteres"},
                      Caso_Invalido{"ofe=12345a", "6 dígitos"},
                      Caso_Invalido{"tipo=fazenda", "posto ou industrial"},
                      Caso_Invalido{"senha=", "texto não vazio"},
                      Caso_Invalido{"relogio=321218 090000", "DDMMAA HHMMSS"},
                      Caso_Invalido{"relogio=311218 240000", "DDMMAA HHMMSS"},
                      Caso_Invalido{"tanque.0.medido=1", "tanque.N.campo"},
                      Caso_Invalido{"tanque.17.medido=1", "tanque.N.campo"},
                      Caso_Invalido{"tanque.1.cor=azul", "chave desconhecida"},
                      Caso_Invalido{"tanque.1.medido=-5", "inteiro de 0 a 999999"},
                      Caso_Invalido{"tanque.1.capacidade=1000000", "inteiro de 0 a 999999"},
                      Caso_Invalido{"tanque.1.densidade=10000", "inteiro de 0 a 9999"},
                      Caso_Invalido{"tanque.1.unidade=L", "V ou P"},
                      Caso_Invalido{"tanque.1.produto=1", "2 caracteres"},
                      Caso_Invalido{"tanque.1.deriva=1,5", "número"},
                      Caso_Invalido{"programada=301218 060000 17 10", "DDMMAA HHMMSS tanque"},
                      Caso_Invalido{"programada=301218 060000 1", "DDMMAA HHMMSS tanque"},
                      Caso_Invalido{"programadas=todas", "nenhuma"},
                      Caso_Invalido{"cor=azul", "chave desconhecida: cor"},
                      Caso_Invalido{"tanques 3", "sem '='"}));

TEST(SimuladorConfiguracao, ErroNomeiaALinha) {
    Config_Medidor medidor;
    std::string erro;
    EXPECT_FALSE(Ler_Configuracao(medidor, "tanques = 4\n# nada\nversao = 1\n", erro));
    EXPECT_EQ(erro.rfind("linha 3: ", 0), 0u) << erro;
}

TEST(SimuladorConfiguracao, ArquivoIlegivel) {
    Config_Medidor medidor;
    std::string erro;
    EXPECT_FALSE(Ler_Arquivo_Configuracao(medidor, "/nao/existe/medidor.txt", erro));
    EXPECT_NE(erro.find("não foi possível ler o arquivo /nao/existe/medidor.txt"),
              std::string::npos);
    EXPECT_FALSE(Ler_Arquivo_Configuracao(medidor, "/tmp", erro));
    EXPECT_NE(erro.find("é um diretório"), std::string::npos) << erro;
}

// Runs the command-line reader over the words given.
bool Ler(std::vector<std::string> palavras, Opcoes& opcoes, std::string& erro) {
    palavras.insert(palavras.begin(), "simulador-qx7");
    std::vector<char*> argv;
    for (auto& p : palavras) {
        argv.push_back(p.data());
    }
    argv.push_back(nullptr);
    return Ler_Opcoes(static_cast<int>(palavras.size()), argv.data(), opcoes, erro);
}

TEST(SimuladorLinhaDeComando, SemOpcoesOPadrao) {
    Opcoes opcoes;
    std::string erro;
    ASSERT_TRUE(Ler({}, opcoes, erro)) << erro;
    EXPECT_FALSE(opcoes.dispositivo);
    EXPECT_FALSE(opcoes.com);
    EXPECT_EQ(opcoes.config.medidor.numero_tanques, 6);
    EXPECT_EQ(opcoes.config.medidor.senha, "qx7");
    EXPECT_EQ(opcoes.config.falhas.nak_pedidos, 0);
    EXPECT_FALSE(opcoes.config.falhas.fragmentar);
}

TEST(SimuladorLinhaDeComando, MedidorEFalhas) {
    Opcoes opcoes;
    std::string erro;
    ASSERT_TRUE(Ler({"--tanques", "16", "--endereco=A02", "--senha", "abc", "--definir",
                     "tanque.16.produto=07", "--nak", "2", "--bcc-errado", "--silencio=3",
                     "--ruido", "--fragmentar", "--ritmo", "--diretorio", "/tmp/x", "--com", "4"},
                    opcoes, erro))
        << erro;
    const auto& medidor = opcoes.config.medidor;
    EXPECT_EQ(medidor.numero_tanques, 16);
    EXPECT_EQ(medidor.endereco, "A02");
    EXPECT_EQ(medidor.senha, "abc");
    EXPECT_EQ(medidor.tanques[15].produto, "07");
    const auto& falhas = opcoes.config.falhas;
    EXPECT_EQ(falhas.nak_pedidos, 2);
    EXPECT_EQ(falhas.bcc_errado, Sempre);
    EXPECT_EQ(falhas.silencio, 3);
    EXPECT_TRUE(falhas.ruido);
    EXPECT_EQ(falhas.fragmentar, std::chrono::milliseconds(5));
    EXPECT_TRUE(falhas.ritmo_linha);
    EXPECT_EQ(opcoes.diretorio, "/tmp/x");
    EXPECT_EQ(opcoes.com, 4);
}

TEST(SimuladorLinhaDeComando, OpcoesValemSobreOArquivo) {
    const std::string arquivo = testing::TempDir() + "simulador_" + std::to_string(getpid());
    std::ofstream(arquivo) << "tanques = 3\nendereco = C03\n";
    Opcoes opcoes;
    std::string erro;
    ASSERT_TRUE(Ler({"--tanques", "9", "--configuracao", arquivo}, opcoes, erro)) << erro;
    EXPECT_EQ(opcoes.config.medidor.numero_tanques, 9);
    EXPECT_EQ(opcoes.config.medidor.endereco, "C03");
    std::remove(arquivo.c_str());
}

struct Caso_Linha {
    std::vector<std::string> palavras;
    const char* mensagem;
};

class SimuladorLinhaInvalida : public ::testing::TestWithParam<Caso_Linha> {};

TEST_P(SimuladorLinhaInvalida, RecusadaComMotivo) {
    Opcoes opcoes;
    std::string erro;
    EXPECT_FALSE(Ler(GetParam().palavras, opcoes, erro));
    EXPECT_NE(erro.find(GetParam().mensagem), std::string::npos) << erro;
}

INSTANTIATE_TEST_SUITE_P(
    Todos, SimuladorLinhaInvalida,
    ::testing::Values(
        Caso_Linha{{"--xyz"}, "opção desconhecida: --xyz"},
        Caso_Linha{{"-q"}, "opção desconhecida: -q"},
        Caso_Linha{{"--nak"}, "falta o valor da opção --nak"},
        Caso_Linha{{"--nak", "muitos"}, "valor inválido para --nak"},
        Caso_Linha{{"--bcc-errado=x"}, "valor inválido para --bcc-errado"},
        Caso_Linha{{"--fragmentar=-1"}, "valor inválido para --fragmentar"},
        Caso_Linha{{"--com", "0"}, "valor inválido para --com"},
        Caso_Linha{{"--com", "256"}, "valor inválido para --com"},
        Caso_Linha{{"--tanques", "20"}, "inteiro de 1 a 16"},
        Caso_Linha{{"--configuracao", "/nao/existe"}, "não foi possível ler o arquivo"},
        Caso_Linha{{"--dispositivo", "/dev/ttyS0", "--com", "2"}, "não com --dispositivo"},
        Caso_Linha{{"sobra"}, "argumento inesperado: sobra"}));

TEST(SimuladorLinhaDeComando, AjudaListaAsFalhas) {
    Opcoes opcoes;
    std::string erro;
    ASSERT_TRUE(Ler({"--ajuda"}, opcoes, erro));
    EXPECT_TRUE(opcoes.ajuda);
    for (const char* opcao : {"--nak", "--bcc-errado", "--silencio", "--ruido", "--fragmentar",
                              "--ritmo", "--endereco", "--senha", "--dispositivo", "--com"}) {
        EXPECT_NE(Texto_Ajuda().find(opcao), std::string::npos) << opcao;
    }
}

}  // namespace
}  // namespace qx7::simulador
