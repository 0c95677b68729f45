#include <gtest/gtest.h>

#include <array>
#include <string>

#include "gauge/fields.h"
#include "link/codepage.h"
#include "tests/gauge/bench.h"

namespace qx7::teste {
namespace {

using Linha = std::array<std::string, Campos_Tanque>;

TEST_F(Bancada, MedicaoMostraEGuardaCadaCampo) {
    Leitura leitura;
    leitura.tanque = " 3 ";
    leitura.densidade = " 85 ";
    Receber(Resposta_Medicao(leitura));

    EXPECT_EQ(Texto(Controle::QX7_Tanque), "3");
    EXPECT_EQ(Texto(Controle::MT_Densidade), "85");
    EXPECT_EQ(Texto(Controle::MT_Produto), "GC");
    EXPECT_EQ(Texto(Controle::MT_Capacidade), "015000");
    EXPECT_EQ(Texto(Controle::MT_Vol_Medido), "000750");
    EXPECT_EQ(Texto(Controle::MT_Vol_Complementar), "000250");
    EXPECT_EQ(Texto(Controle::MT_Hora), "14:30:05");
    EXPECT_EQ(Texto(Controle::MT_Data), "05/03/18");
    EXPECT_EQ(variaveis.Tabela_Tanques[3],
              (Linha{" 3 ", "000750", "000250", " 85 ", "GC", "05/03/18", "14:30:05", "015000"}));
}

class Codigos_Medicao : public Bancada, public ::testing::WithParamInterface<std::string> {};

TEST_P(Codigos_Medicao, MesmaLeituraParaOsTresCodigos) {
    Leitura leitura;
    leitura.codigo = GetParam();
    Receber(Resposta_Medicao(leitura));
    EXPECT_EQ(variaveis.Tabela_Tanques[3][0], "003");
    EXPECT_EQ(Texto(Controle::QX7_Tanque), "003");
}

INSTANTIATE_TEST_SUITE_P(Codigos, Codigos_Medicao, ::testing::Values("MT", "LM", "MA"));

struct Caso_Percentual {
    std::string medido;
    std::string complementar;
    char separador;
    std::string percentual;
    double altura;
};

class Percentual : public Bancada, public ::testing::WithParamInterface<Caso_Percentual> {};

TEST_P(Percentual, TextoEAlturaDoLiquido) {
    plataforma.separador = GetParam().separador;
    painel.altura = -1.0f;
    Leitura leitura;
    leitura.medido = GetParam().medido;
    leitura.complementar = GetParam().complementar;
    Receber(Resposta_Medicao(leitura));
    EXPECT_EQ(Texto(Controle::Percentual), GetParam().percentual);
    EXPECT_FLOAT_EQ(painel.altura, static_cast<float>(GetParam().altura));
}

// With a decimal comma only the whole part of the percentage moves the bar.
INSTANTIATE_TEST_SUITE_P(
    Volumes, Percentual,
    ::testing::Values(Caso_Percentual{"000750", "000250", '.', "75.%", 333.75},
                      Caso_Percentual{"000750", "000250", ',', "75,%", 333.75},
                      Caso_Percentual{"000000", "001000", '.', "0.%", 1335.0},
                      Caso_Percentual{"001000", "000000", '.', "100.%", 0.0},
                      Caso_Percentual{"000755", "000245", '.', "75.5%", (1 - 0.755) * 1335},
                      Caso_Percentual{"000755", "000245", ',', "75,5%", 333.75},
                      Caso_Percentual{"000001", "000002", '.', "33.33%", (1 - 0.3333) * 1335},
                      Caso_Percentual{"-00500", "001000", '.', "-100.%", 1335.0},
                      Caso_Percentual{"001500", "-00500", '.', "150.%", 0.0},
                      Caso_Percentual{"  75,9", "  25,1", '.', "75.%", 333.75},
                      Caso_Percentual{"015625", "084375", ',', "15,63%", 0.85 * 1335},
                      Caso_Percentual{"015625", "084375", '.', "15.63%", (1 - 0.1563) * 1335},
                      Caso_Percentual{" 1E308", " 1E308", '.', "50.%", 667.5},
                      Caso_Percentual{" 1E307", "000000", '.', "100.%", 0.0}));

TEST_F(Bancada, SemVolumeNenhumOPercentualFicaVazioEORestoContinua) {
    painel.Definir_Texto(Controle::Percentual, "50.%");
    painel.altura = 667.5f;
    painel.Definir_Texto(Controle::CF_NumTanques, "03");
    variaveis.Modo_Inventario = true;
    Leitura leitura;
    leitura.tanque = " 03";
    leitura.medido = "000000";
    leitura.complementar = "000000";
    leitura.unidade = "P";
    Receber(Resposta_Medicao(leitura));

    EXPECT_EQ(Texto(Controle::Percentual), "");
    EXPECT_FLOAT_EQ(painel.altura, 667.5f);
    EXPECT_EQ(Texto(Controle::Label8), "Peso Medido");
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Término da(s) leitura(s) do(s) tanque(s)!"));
    EXPECT_EQ(telas.abertas, (std::vector<std::string>{"Inventario"}));
    EXPECT_FALSE(variaveis.Modo_Inventario);
}

TEST_F(Bancada, VolumesOpostosNaoDividemPorZero) {
    painel.altura = 100.0f;
    Leitura leitura;
    leitura.medido = "-00001";
    leitura.complementar = "000001";
    Receber(Resposta_Medicao(leitura));
    EXPECT_EQ(Texto(Controle::Percentual), "");
    EXPECT_FLOAT_EQ(painel.altura, 100.0f);
}

TEST_F(Bancada, UnidadesTrocamOsRotulosACadaResposta) {
    const std::pair<std::string, std::string> casos[] = {
        {"P", "Peso"}, {"V", "Volume"}, {"P", "Peso"}, {" ", "Volume"}, {"p", "Volume"}};
    for (const auto& [unidade, rotulo] : casos) {
        Leitura leitura;
        leitura.unidade = unidade;
        Receber(Resposta_Medicao(leitura));
        EXPECT_EQ(Texto(Controle::Label8), rotulo + " Medido") << unidade;
        EXPECT_EQ(Texto(Controle::Label9), rotulo + " Complementar") << unidade;
    }
}

TEST_F(Bancada, MarcadorDeFimSoComRetornoDeCarro) {
    painel.Definir_Texto(Controle::Inf_Erro, "antes");
    Leitura leitura;
    leitura.fim = "\n";
    Receber(Resposta_Medicao(leitura));
    EXPECT_EQ(Texto(Controle::Inf_Erro), "antes");
    leitura.fim = "\r";
    Receber(Resposta_Medicao(leitura));
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Término da(s) leitura(s) do(s) tanque(s)!"));
}

struct Caso_Slot {
    std::string tanque;
    int slot;  // -1: not stored
};

class Slots : public Bancada, public ::testing::WithParamInterface<Caso_Slot> {};

TEST_P(Slots, GuardaNoSlotDoNumeroDoTanque) {
    Leitura leitura;
    leitura.tanque = GetParam().tanque;
    Receber(Resposta_Medicao(leitura));
    EXPECT_EQ(Texto(Controle::QX7_Tanque), std::string(Sem_Brancos(GetParam().tanque)));
    for (int t = 0; t < Slots_Tanques; ++t) {
        EXPECT_EQ(variaveis.Tabela_Tanques[static_cast<std::size_t>(t)][0],
                  t == GetParam().slot ? GetParam().tanque : "")
            << t;
    }
}

INSTANTIATE_TEST_SUITE_P(Tanques, Slots,
                         ::testing::Values(Caso_Slot{"001", 1}, Caso_Slot{" 16", 16},
                                           Caso_Slot{"016", 16}, Caso_Slot{"ABC", 0},
                                           Caso_Slot{"   ", 0}, Caso_Slot{"2.5", 2},
                                           Caso_Slot{"3.5", 4}, Caso_Slot{"017", -1},
                                           Caso_Slot{" 99", -1}, Caso_Slot{" -1", -1},
                                           Caso_Slot{"1e9", -1}));

TEST_F(Bancada, OutroTanqueNaoApagaOAnterior) {
    Leitura cinco;
    cinco.tanque = "005";
    Receber(Resposta_Medicao(cinco));
    Leitura dois;
    dois.tanque = "002";
    dois.produto = "AL";
    Receber(Resposta_Medicao(dois));
    cinco.medido = "000100";
    cinco.complementar = "000900";
    cinco.densidade = "0.74";
    cinco.produto = "DI";
    cinco.capacidade = "020000";
    cinco.hora = "235959";
    cinco.data = "311218";
    Receber(Resposta_Medicao(cinco));

    EXPECT_EQ(variaveis.Tabela_Tanques[5],
              (Linha{"005", "000100", "000900", "0.74", "DI", "31/12/18", "23:59:59", "020000"}));
    EXPECT_EQ(variaveis.Tabela_Tanques[2],
              (Linha{"002", "000750", "000250", "0.85", "AL", "05/03/18", "14:30:05", "015000"}));
}

struct Caso_Inventario {
    std::string tanque;
    bool modo;
    bool abre;
};

class Inventario : public Bancada, public ::testing::WithParamInterface<Caso_Inventario> {};

TEST_P(Inventario, AbreQuandoChegaOUltimoTanque) {
    painel.Definir_Texto(Controle::CF_NumTanques, "16");
    variaveis.Modo_Inventario = GetParam().modo;
    std::string lido_na_tela;
    telas.ao_abrir_inventario = [&] {
        lido_na_tela = variaveis.Tabela_Tanques[16][0];
        EXPECT_TRUE(variaveis.Modo_Inventario);
    };
    Leitura leitura;
    leitura.tanque = GetParam().tanque;
    Receber(Resposta_Medicao(leitura));

    EXPECT_EQ(telas.abertas.size(), GetParam().abre ? 1u : 0u);
    EXPECT_EQ(variaveis.Modo_Inventario, GetParam().modo && !GetParam().abre);
    EXPECT_EQ(lido_na_tela, GetParam().abre ? GetParam().tanque : "");
}

// The comparison is of texts: "016" never matches "16".
INSTANTIATE_TEST_SUITE_P(Tanques, Inventario,
                         ::testing::Values(Caso_Inventario{" 16", true, true},
                                           Caso_Inventario{"16 ", true, true},
                                           Caso_Inventario{"016", true, false},
                                           Caso_Inventario{"015", true, false},
                                           Caso_Inventario{" 16", false, false}));

}  // namespace
}  // namespace qx7::teste
