#include <gtest/gtest.h>

#include "link/codepage.h"
#include "tests/gauge/bench.h"

namespace qx7::teste {
namespace {

struct Caso_Selecao {
    int k;
    std::string tanque;
};

class Selecao : public Bancada, public ::testing::WithParamInterface<Caso_Selecao> {};

TEST_P(Selecao, TanqueComDoisDigitos) {
    medidor.TQ_Ativo_Click(GetParam().k);
    EXPECT_EQ(medidor.Tanque_Selecionado(), GetParam().tanque);
}

INSTANTIATE_TEST_SUITE_P(Botoes, Selecao,
                         ::testing::Values(Caso_Selecao{0, "01"}, Caso_Selecao{6, "07"},
                                           Caso_Selecao{9, "10"}, Caso_Selecao{15, "16"}));

TEST_F(Bancada, IndiceForaDosBotoesNaoMudaOTanque) {
    medidor.TQ_Ativo_Click(3);
    medidor.TQ_Ativo_Click(16);
    medidor.TQ_Ativo_Click(-1);
    EXPECT_EQ(medidor.Tanque_Selecionado(), "04");
}

using Clique = void (Medidor::*)();

struct Caso_Botao {
    const char* nome;
    int k;  // tank picked first; -1 for none
    Clique clique;
    std::string comando;
};

class Botoes : public Bancada, public ::testing::WithParamInterface<Caso_Botao> {};

TEST_P(Botoes, EscreveOComandoNaCaixaEFila) {
    if (GetParam().k >= 0) {
        medidor.TQ_Ativo_Click(GetParam().k);
    }
    painel.Definir_Texto(Controle::Inf_Erro, "erro anterior");

    (medidor.*GetParam().clique)();

    EXPECT_EQ(Texto(Controle::Comando_QX7), GetParam().comando);
    EXPECT_EQ(Texto(Controle::Inf_Erro), "");
    EXPECT_EQ(enlace.eventos, (std::vector<std::string>{"estado 1", "TX " + GetParam().comando}));
}

INSTANTIATE_TEST_SUITE_P(
    Comandos, Botoes,
    ::testing::Values(Caso_Botao{"LMSemTanque", -1, &Medidor::LM_Cmd_Click, "LM"},
                      Caso_Botao{"MTSemTanque", -1, &Medidor::MT_Cmd_Click, "MT"},
                      Caso_Botao{"MT07", 6, &Medidor::MT_Cmd_Click, "MT07"},
                      Caso_Botao{"LM12", 11, &Medidor::LM_Cmd_Click, "LM12"},
                      Caso_Botao{"LR", 2, &Medidor::LR_Cmd_Click, "LR"},
                      Caso_Botao{"MA", 2, &Medidor::MA_Cmd_Click, "MA"},
                      Caso_Botao{"IV", -1, &Medidor::IV_Cmd_Click, "MA"}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Caso_Digitado {
    std::string digitado;
    std::string enviado;
};

class Digitado : public Bancada, public ::testing::WithParamInterface<Caso_Digitado> {};

TEST_P(Digitado, TransmitirEnviaEmMaiusculas) {
    painel.Definir_Texto(Controle::Comando_QX7, cp1252(GetParam().digitado));
    medidor.Transmitir_Click();
    EXPECT_EQ(Texto(Controle::Comando_QX7), cp1252(GetParam().enviado));
    EXPECT_EQ(enlace.mensagens, (std::vector<std::string>{cp1252(GetParam().enviado)}));
}

INSTANTIATE_TEST_SUITE_P(Textos, Digitado,
                         ::testing::Values(Caso_Digitado{"lr", "LR"}, Caso_Digitado{"Ar", "AR"},
                                           Caso_Digitado{"mp 050318", "MP 050318"},
                                           Caso_Digitado{"ção", "ÇÃO"}));

TEST_F(Bancada, TransmitirComCaixaVaziaNaoFazNada) {
    painel.Definir_Texto(Controle::Inf_Erro, cp1252("Tanque não habilitado !"));
    medidor.Transmitir_Click();
    EXPECT_TRUE(enlace.eventos.empty());
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Tanque não habilitado !"));
}

TEST_F(Bancada, InventarioELeituraDeTodosDiferemSoNaBandeira) {
    medidor.MA_Cmd_Click();
    EXPECT_FALSE(variaveis.Modo_Inventario);
    medidor.IV_Cmd_Click();
    EXPECT_TRUE(variaveis.Modo_Inventario);
    medidor.MA_Cmd_Click();
    EXPECT_TRUE(variaveis.Modo_Inventario);
    EXPECT_EQ(enlace.mensagens, (std::vector<std::string>{"MA", "MA", "MA"}));
}

TEST_F(Bancada, LeituraDosTanquesAbreOInventarioSemEnviar) {
    medidor.Leitura_Tanques_Click();
    EXPECT_EQ(telas.abertas, (std::vector<std::string>{"Inventario"}));
    EXPECT_TRUE(enlace.eventos.empty());
}

struct Caso_Data {
    const char* nome;
    std::string data;
    std::string enviado;  // empty: refused
};

class Medicao_Programada : public Bancada, public ::testing::WithParamInterface<Caso_Data> {};

TEST_P(Medicao_Programada, VerificaOComprimentoAposTirarBrancos) {
    variaveis.Num_Medicoes = 7;
    telas.ao_abrir_data = [&] { variaveis.Data_Solicitada = GetParam().data; };

    medidor.Medicao_Programada_Click();

    if (GetParam().enviado.empty()) {
        EXPECT_EQ(telas.abertas, (std::vector<std::string>{"Data", "Aviso"}));
        ASSERT_EQ(telas.avisos.size(), 1u);
        EXPECT_EQ(telas.avisos[0].first, "Digitar data no formato DDMMAA!");
        EXPECT_EQ(telas.avisos[0].second, "Aviso");
        EXPECT_TRUE(enlace.eventos.empty());
        EXPECT_EQ(variaveis.Num_Medicoes, 7);
    } else {
        EXPECT_EQ(telas.abertas, (std::vector<std::string>{"Data"}));
        EXPECT_EQ(enlace.mensagens, (std::vector<std::string>{GetParam().enviado}));
        EXPECT_EQ(Texto(Controle::Comando_QX7), GetParam().enviado);
        EXPECT_EQ(variaveis.Num_Medicoes, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Datas, Medicao_Programada,
    ::testing::Values(Caso_Data{"SeisDigitos", "050318", "MP050318"},
                      Caso_Data{"CincoCaracteres", "05031", ""},
                      Caso_Data{"BrancoNoInicio", " 05031", ""},
                      Caso_Data{"BrancoNoFim", "05031 ", ""},
                      Caso_Data{"BrancoNoMeio", "05 318", "MP05 318"},
                      Caso_Data{"SeteComBrancoNoInicio", " 050318", "MP 050318"},
                      Caso_Data{"Vazia", "", ""}, Caso_Data{"Longa", "0503181", ""}),
    [](const auto& info) { return std::string(info.param.nome); });

class Data_Cancelada : public Bancada, public ::testing::WithParamInterface<const char*> {};

// At the first request (no date yet) and after an earlier one: no warning, nothing sent.
TEST_P(Data_Cancelada, FecharSemConfirmarNaoEnviaNemAvisa) {
    variaveis.Data_Solicitada = GetParam();
    variaveis.Num_Medicoes = 7;
    telas.data_confirmada = false;
    medidor.Medicao_Programada_Click();
    EXPECT_EQ(telas.abertas, (std::vector<std::string>{"Data"}));
    EXPECT_TRUE(enlace.eventos.empty());
    EXPECT_EQ(variaveis.Data_Solicitada, GetParam());
    EXPECT_EQ(variaveis.Num_Medicoes, 7);
}

INSTANTIATE_TEST_SUITE_P(Datas, Data_Cancelada, ::testing::Values("", "311218"));

}  // namespace
}  // namespace qx7::teste
