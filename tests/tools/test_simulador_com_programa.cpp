// The simulator against the program's own link and decoders: every answer family reaches the
// panel and the tables, and every fault gets the link's reaction.

#include <gtest/gtest.h>

#include "tests/tools/program_harness.h"

namespace qx7::simulador::teste {
namespace {

using namespace std::chrono_literals;

// Level drift off for tank 1 so its fields are exact whenever it is read.
Config_Simulador Config_Estavel() {
    auto config = Config_Teste();
    config.medidor.tanques[0].deriva = 0;
    return config;
}

Config_Simulador Com_Falhas(Falhas falhas) {
    auto config = Config_Estavel();
    config.falhas = falhas;
    return config;
}

TEST(SimuladorComPrograma, ConexaoIdentificaEConfigura) {
    Programa_Com_Simulador p;
    ASSERT_TRUE(p.Conectar());
    EXPECT_EQ(p.Texto(Controle::ID_Endereco), "A01");
    EXPECT_EQ(p.Texto(Controle::ID_Versao), "21");
    EXPECT_EQ(p.Texto(Controle::Estado), "ON-LINE");
    EXPECT_EQ(p.Texto(Controle::CF_NumTanques), "04");
    EXPECT_EQ(p.Texto(Controle::CF_NumOFE), "004711");
    EXPECT_EQ(p.Texto(Controle::CF_TipoMedidor), "Posto");
    EXPECT_TRUE(p.painel.Tanque_Habilitado(3));
    EXPECT_FALSE(p.painel.Tanque_Habilitado(4));
    EXPECT_FALSE(p.painel.Habilitado(Controle::Abrir_Conexao));
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmitiu ACK!"), 2);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmissão OK!"), 2);
}

TEST(SimuladorComPrograma, SenhaErradaDeixaOPainelTravado) {
    Programa_Com_Simulador p;
    p.telas.senha = "errada";
    EXPECT_FALSE(p.Conectar());
    EXPECT_EQ(p.Texto(Controle::Estado), "ON-LINE");
    EXPECT_EQ(p.Texto(Controle::CF_NumTanques), "");
}

TEST(SimuladorComPrograma, MedirUmTanqueMostraNoPainelENaTabela) {
    Programa_Com_Simulador p(Config_Estavel());
    ASSERT_TRUE(p.Conectar());
    p.medidor.TQ_Ativo_Click(0);
    p.medidor.MT_Cmd_Click();
    p.Rodar(500ms);
    EXPECT_EQ(p.Texto(Controle::QX7_Tanque), "01");
    EXPECT_EQ(p.Texto(Controle::MT_Densidade), "0745");
    EXPECT_EQ(p.Texto(Controle::MT_Produto), "01");
    EXPECT_EQ(p.Texto(Controle::MT_Capacidade), "030000");
    EXPECT_EQ(p.Texto(Controle::MT_Vol_Medido), "018250");
    EXPECT_EQ(p.Texto(Controle::MT_Vol_Complementar), "011750");
    EXPECT_EQ(p.Texto(Controle::MT_Data), "07/12/26");
    EXPECT_EQ(p.Texto(Controle::MT_Hora).substr(0, 7), "14:30:0");
    EXPECT_EQ(p.Texto(Controle::Label8), "Volume Medido");
    EXPECT_EQ(p.Texto(Controle::Inf_Erro), cp1252("Término da(s) leitura(s) do(s) tanque(s)!"));
    const auto& linha = p.variaveis.Tabela_Tanques[1];
    EXPECT_EQ(linha[0], " 01");
    EXPECT_EQ(linha[1], "018250");
    EXPECT_EQ(linha[4], "01");
    EXPECT_EQ(linha[5], "07/12/26");
}

TEST(SimuladorComPrograma, ConsultaDeMemoriaEmPeso) {
    Programa_Com_Simulador p;
    ASSERT_TRUE(p.Conectar());
    p.medidor.TQ_Ativo_Click(1);
    p.medidor.LM_Cmd_Click();
    p.Rodar(500ms);
    EXPECT_EQ(p.Texto(Controle::QX7_Tanque), "02");
    EXPECT_EQ(p.Texto(Controle::MT_Vol_Medido), "005000");
    EXPECT_EQ(p.Texto(Controle::Label8), "Peso Medido");
    EXPECT_EQ(p.Texto(Controle::Label9), "Peso Complementar");
    EXPECT_EQ(p.variaveis.Tabela_Tanques[2][2], "014000");
}

TEST(SimuladorComPrograma, TodosOsTanquesEnchemATabela) {
    Programa_Com_Simulador p;
    ASSERT_TRUE(p.Conectar());
    p.medidor.MA_Cmd_Click();
    p.Rodar(1s);
    for (int t = 1; t <= 4; ++t) {
        EXPECT_EQ(p.variaveis.Tabela_Tanques[static_cast<std::size_t>(t)][0],
                  " 0" + std::to_string(t));
    }
    EXPECT_EQ(p.Texto(Controle::QX7_Tanque), "04");  // the panel shows the last tank
    EXPECT_EQ(p.variaveis.Tabela_Tanques[3][1], "000750");
    EXPECT_EQ(p.telas.inventarios, 0);
}

TEST(SimuladorComPrograma, RelogioNoPainel) {
    Programa_Com_Simulador p;
    ASSERT_TRUE(p.Conectar());
    p.medidor.LR_Cmd_Click();
    p.Rodar(500ms);
    EXPECT_EQ(p.Texto(Controle::LR_Hora).substr(0, 7), "14:30:0");
    EXPECT_EQ(p.Texto(Controle::LR_Data), "07/12/26");
    EXPECT_EQ(p.Texto(Controle::LR_Dia), "02");
}

TEST(SimuladorComPrograma, RelogioPeloComandoDigitado) {
    Programa_Com_Simulador p;
    ASSERT_TRUE(p.Conectar());
    p.painel.Definir_Texto(Controle::Comando_QX7, "ar");
    p.medidor.Transmitir_Click();
    p.Rodar(500ms);
    EXPECT_EQ(p.Texto(Controle::LR_Data), "07/12/26");
}

TEST(SimuladorComPrograma, MedicoesProgramadasAbremOsResultados) {
    Programa_Com_Simulador p;
    ASSERT_TRUE(p.Conectar());
    p.telas.data = "061226";
    p.medidor.Medicao_Programada_Click();
    p.Rodar(1s);
    EXPECT_EQ(p.variaveis.Num_Medicoes, 3);
    EXPECT_EQ(p.telas.resultados, 1);
    const auto& r = p.variaveis.Resultados_Medicoes;
    EXPECT_EQ(r[0][0], "061226");
    EXPECT_EQ(r[0][1], "060000");
    EXPECT_EQ(r[0][2], "020100");
    EXPECT_EQ(r[2][3], " 03");
}

TEST(SimuladorComPrograma, DataSemMedicoes) {
    Programa_Com_Simulador p;
    ASSERT_TRUE(p.Conectar());
    p.telas.data = "011226";
    p.medidor.Medicao_Programada_Click();
    p.Rodar(500ms);
    EXPECT_EQ(p.Texto(Controle::Inf_Erro), cp1252("Não há medições para a data !"));
    EXPECT_EQ(p.variaveis.Num_Medicoes, 0);
    EXPECT_EQ(p.telas.resultados, 0);
}

TEST(SimuladorComPrograma, RespostasDeErro) {
    struct Caso {
        const char* comando;
        const char* texto;
    };
    for (const Caso caso :
         {Caso{"MT05", "Tanque não habilitado !"}, Caso{"LM99", "Número do tanque inválido !"}}) {
        Programa_Com_Simulador p;
        ASSERT_TRUE(p.Conectar());
        p.painel.Definir_Texto(Controle::Comando_QX7, caso.comando);
        p.medidor.Transmitir_Click();
        p.Rodar(500ms);
        EXPECT_EQ(p.Texto(Controle::Inf_Erro), cp1252(caso.texto)) << caso.comando;
    }
}

TEST(SimuladorComPrograma, InventarioDeDezesseisTanquesNoRitmoDaLinha) {
    auto config = Config_Teste();
    config.medidor = Medidor_Padrao();
    config.medidor.numero_tanques = 16;
    config.falhas.ritmo_linha = true;
    Programa_Com_Simulador p(config);
    ASSERT_TRUE(p.Conectar());
    EXPECT_EQ(p.Texto(Controle::CF_NumTanques), "16");
    p.medidor.IV_Cmd_Click();
    EXPECT_TRUE(p.variaveis.Modo_Inventario);
    ASSERT_TRUE(p.Rodar_Ate([&] { return p.telas.inventarios == 1; }, 5s));
    EXPECT_FALSE(p.variaveis.Modo_Inventario);
    for (int t = 1; t <= 16; ++t) {
        char campo[4];
        std::snprintf(campo, sizeof campo, " %02d", t);
        EXPECT_EQ(p.variaveis.Tabela_Tanques[static_cast<std::size_t>(t)][0], campo);
    }
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmitiu NACK!"), 0);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Time-Out de Recepção!"), 0);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmitiu ACK!"), 2 + 16);
}

TEST(SimuladorComPrograma, NakDoMedidorFazOProgramaRepetir) {
    Programa_Com_Simulador p(Com_Falhas({.nak_pedidos = 1}));
    ASSERT_TRUE(p.Conectar());
    EXPECT_EQ(p.Linhas_Do_Registro("Status: NACK - Erro de Transmissão!"), 1);
    EXPECT_EQ(p.Texto(Controle::ID_Endereco), "A01");
}

TEST(SimuladorComPrograma, QuatroNaksEstouramAsRepeticoes) {
    Programa_Com_Simulador p(Com_Falhas({.nak_pedidos = 4}));
    p.medidor.Abrir_Conexao_Click();
    p.Rodar(1s);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: NACK - Erro de Transmissão!"), 3);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: NACK - Estouro de Retries (3)!"), 1);
    EXPECT_EQ(p.Texto(Controle::Estado), "");
}

TEST(SimuladorComPrograma, BccErradoRecebeNakEARepeticaoPassa) {
    Programa_Com_Simulador p(Com_Falhas({.bcc_errado = 1}));
    ASSERT_TRUE(p.Conectar());
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmitiu NACK!"), 1);
    EXPECT_EQ(p.Texto(Controle::ID_Endereco), "A01");
}

TEST(SimuladorComPrograma, BccSempreErradoNuncaDecodifica) {
    Programa_Com_Simulador p(Com_Falhas({.bcc_errado = Sempre}));
    p.medidor.Abrir_Conexao_Click();
    p.Rodar(1s);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmitiu NACK!"), 4);  // first and 3 repeats
    EXPECT_EQ(p.Texto(Controle::ID_Endereco), "");
}

TEST(SimuladorComPrograma, SilencioDaTimeOutDeRecepcao) {
    Programa_Com_Simulador p(Com_Falhas({.silencio = Sempre}));
    p.medidor.Abrir_Conexao_Click();
    p.Rodar(3900ms);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Time-Out de Recepção!"), 0);
    ASSERT_TRUE(p.Rodar_Ate(
        [&] { return p.Linhas_Do_Registro("Status: Time-Out de Recepção!") == 1; }, 1200ms));
    EXPECT_EQ(p.Texto(Controle::Estado), "");
}

TEST(SimuladorComPrograma, RuidoEntreQuadrosEDescartado) {
    Programa_Com_Simulador p(Com_Falhas({.ruido = true}));
    ASSERT_TRUE(p.Conectar());
    p.medidor.MA_Cmd_Click();
    p.Rodar(1s);
    EXPECT_EQ(p.variaveis.Tabela_Tanques[4][0], " 04");
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmitiu NACK!"), 0);
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Erro de Sequencia do Protocolo!"), 0);
}

TEST(SimuladorComPrograma, SaidaFragmentadaMontaOsMesmosQuadros) {
    Programa_Com_Simulador p(Com_Falhas({.fragmentar = 2ms}));
    ASSERT_TRUE(p.Conectar());
    p.medidor.TQ_Ativo_Click(0);
    p.medidor.MT_Cmd_Click();
    p.Rodar(1s);
    EXPECT_EQ(p.Texto(Controle::MT_Vol_Medido), "018250");
    EXPECT_EQ(p.Linhas_Do_Registro("Status: Transmitiu NACK!"), 0);
}

TEST(SimuladorComPrograma, OutroEnderecoNaoRecebeConfiguracao) {
    auto config = Config_Teste();
    config.medidor.endereco = "A02";
    Programa_Com_Simulador p(config);
    EXPECT_FALSE(p.Conectar());
    EXPECT_EQ(p.Texto(Controle::ID_Endereco), "A02");
    EXPECT_EQ(p.Texto(Controle::Estado), "ON-LINE");
    EXPECT_EQ(p.Texto(Controle::CF_NumTanques), "");
}

}  // namespace
}  // namespace qx7::simulador::teste
