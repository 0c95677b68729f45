#include <gtest/gtest.h>

#include <stdexcept>

#include "link/codepage.h"
#include "link/link.h"
#include "tests/gauge/bench.h"
#include "tests/support/fake_serial_port.h"

namespace qx7::teste {
namespace {

struct Caso_Erro {
    std::string resposta;
    std::string texto;  // what Inf_Erro shows afterwards
};

class Erros : public Bancada, public ::testing::WithParamInterface<Caso_Erro> {};

TEST_P(Erros, EAPosicaoQuatroMostraOMotivo) {
    painel.Definir_Texto(Controle::Inf_Erro, "anterior");
    Receber(GetParam().resposta);
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252(GetParam().texto));
    // Nothing else is decoded: only Inf_Erro was ever written.
    EXPECT_EQ(painel.textos.size(), 1u);
    EXPECT_TRUE(enlace.eventos.empty());
    EXPECT_TRUE(telas.abertas.empty());
}

INSTANTIATE_TEST_SUITE_P(Motivos, Erros,
                         ::testing::Values(Caso_Erro{"MTETI", "Número do tanque inválido !"},
                                           Caso_Erro{"LMENH", "Tanque não habilitado !"},
                                           Caso_Erro{"MPESL", "Não há medições para a data !"},
                                           Caso_Erro{"ZZETI", "Número do tanque inválido !"},
                                           Caso_Erro{"MTEXX", "anterior"},
                                           Caso_Erro{"MTEti", "anterior"},
                                           Caso_Erro{"MTE", "anterior"},
                                           Caso_Erro{"IDE01", "anterior"}));

TEST_F(Bancada, IdentificacaoComEnderecoEmEEErro) {
    variaveis.Senha_Usuario = "x";
    Receber("IDE0107");
    EXPECT_EQ(Texto(Controle::ID_Endereco), "");
    EXPECT_EQ(Texto(Controle::Estado), "");
    EXPECT_TRUE(enlace.mensagens.empty());
}

TEST_F(Bancada, ErroDepoisDeMedicaoBoaContinuaNaCaixa) {
    Receber("MTETI");
    Leitura leitura;
    leitura.fim = " ";
    Receber(Resposta_Medicao(leitura));
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Número do tanque inválido !"));
    EXPECT_EQ(Texto(Controle::QX7_Tanque), "003");
}

class Codigos_Desconhecidos : public Bancada, public ::testing::WithParamInterface<std::string> {};

TEST_P(Codigos_Desconhecidos, NaoMudamNada) {
    variaveis.Num_Medicoes = 4;
    Leitura leitura;
    leitura.codigo = GetParam();
    Receber(Resposta_Medicao(leitura));
    EXPECT_TRUE(painel.textos.empty());
    EXPECT_TRUE(painel.habilitados.empty());
    EXPECT_TRUE(enlace.eventos.empty());
    EXPECT_TRUE(telas.abertas.empty());
    EXPECT_EQ(variaveis.Num_Medicoes, 4);
    EXPECT_EQ(variaveis.Tabela_Tanques[3][0], "");
}

INSTANTIATE_TEST_SUITE_P(Codigos, Codigos_Desconhecidos,
                         ::testing::Values("mt", "lm", "ma", "lr", "mp", "cf", "id", "Mt", "ZZ",
                                           "M"));

TEST_F(Bancada, QuadroVazioOuSoSTXNaoMudaNada) {
    medidor.Processar_Mensagem_Recebida("");
    medidor.Processar_Mensagem_Recebida("\x02");
    medidor.Processar_Mensagem_Recebida("\x02M");
    EXPECT_TRUE(painel.textos.empty());
}

// Every prefix of every kind of answer is decoded without reading outside the frame.
class Quadros_Cortados : public Bancada, public ::testing::WithParamInterface<std::string> {};

TEST_P(Quadros_Cortados, QualquerComprimentoEAceito) {
    variaveis.Modo_Inventario = true;
    const std::string quadro = Monta_Quadro(GetParam());
    for (std::size_t n = 0; n <= quadro.size(); ++n) {
        medidor.Processar_Mensagem_Recebida(quadro.substr(0, n));  // out-of-frame reads: ASan
    }
    EXPECT_FALSE(painel.textos.empty());
}

INSTANTIATE_TEST_SUITE_P(Respostas, Quadros_Cortados,
                         ::testing::Values(Resposta_Medicao(Leitura{}), "LR09053031121802",
                                           "MP143005050318001500003\x01", "CF161234561", "IDA0107",
                                           "MTETI"));

// Fails on the first text a decoder shows, as a panel whose widget went away would.
class Painel_Que_Falha : public Painel_Falso {
  public:
    void Definir_Texto(Controle controle, std::string_view texto) override {
        if (controle == Controle::ID_Endereco || controle == Controle::QX7_Tanque) {
            ++falhas;
            throw std::runtime_error("painel");
        }
        Painel_Falso::Definir_Texto(controle, texto);
    }
    int falhas = 0;
};

class Falha_No_Decodificador : public ::testing::TestWithParam<std::string> {};

// The link acknowledges the frame whatever its decoder did, and the answer dropped half-way
// leaves the tank table as it was.
TEST_P(Falha_No_Decodificador, QuadroAindaRecebeACKETabelaIntacta) {
    Variaveis_Programa variaveis;
    variaveis.Senha_Usuario = "x";
    variaveis.Tabela_Tanques[3][0] = "antes";
    Painel_Que_Falha painel;
    Telas_Gravadoras telas;
    Plataforma_Falsa plataforma;
    Registro_Falso registro;
    Porta_Falsa porta;
    ASSERT_TRUE(porta.CommPort(1) && porta.PortOpen(true));
    Enlace enlace{porta, plataforma, registro, painel};
    Medidor medidor{variaveis, painel, telas, enlace, plataforma};
    enlace.Processar_Mensagem_Recebida = [&medidor](const std::string& quadro) {
        medidor.Processar_Mensagem_Recebida(quadro);
    };
    const auto tabela = variaveis.Tabela_Tanques;

    porta.Receber(Monta_Quadro(GetParam()));
    enlace.Timer3_Tick();

    EXPECT_EQ(painel.falhas, 1);
    EXPECT_EQ(porta.Saida(), "\x06");
    EXPECT_EQ(variaveis.Tabela_Tanques, tabela);
    EXPECT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Ocioso);
    EXPECT_TRUE(enlace.Fila_RX().Vazia());
}

INSTANTIATE_TEST_SUITE_P(Respostas, Falha_No_Decodificador,
                         ::testing::Values("IDA0107", Resposta_Medicao(Leitura{})));

}  // namespace
}  // namespace qx7::teste
