#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "link/codepage.h"
#include "tests/gauge/bench.h"

namespace qx7::teste {
namespace {

using Linha = std::array<std::string, Colunas_Medicoes>;

const std::string Mais = "\x01";  // more records follow

std::string Registro(int i, const std::string& marcador) {
    const std::string n = std::to_string(100000 + i).substr(1);  // five digits
    return Resposta_Programada("1" + n, "0" + n, "9" + n, n.substr(2), marcador);
}

class Programada : public Bancada {
  protected:
    void Esperar_Registro(int linha, int i) const {
        const std::string n = std::to_string(100000 + i).substr(1);
        const auto& r = variaveis.Resultados_Medicoes[static_cast<std::size_t>(linha)];
        EXPECT_EQ(r[0], "0" + n) << linha;
        EXPECT_EQ(r[1], "1" + n) << linha;
        EXPECT_EQ(r[2], "9" + n) << linha;
        EXPECT_EQ(r[3], n.substr(2)) << linha;
    }
    void Abrir_Anotando() {
        telas.ao_abrir_resultados = [&] {
            num_na_tela.push_back(variaveis.Num_Medicoes);
            texto_na_tela.push_back(Texto(Controle::Inf_Erro));
        };
    }
    std::vector<int> num_na_tela;
    std::vector<std::string> texto_na_tela;
};

TEST_F(Programada, SerieDeTres) {
    Abrir_Anotando();
    Receber(Resposta_Programada("143005", "050318", "001500", "003", Mais));
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Recebendo a medição No. 1"));
    Receber(Registro(2, Mais));
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Recebendo a medição No. 2"));
    EXPECT_TRUE(telas.abertas.empty());
    Receber(Registro(3, "\x03"));

    EXPECT_EQ(variaveis.Num_Medicoes, 3);
    EXPECT_EQ(variaveis.Resultados_Medicoes[0],
              (Linha{"050318", "143005", "001500", "003", "", "", "", "", "", "", ""}));
    Esperar_Registro(1, 2);
    Esperar_Registro(2, 3);
    EXPECT_EQ(num_na_tela, (std::vector<int>{3}));
    EXPECT_EQ(texto_na_tela, (std::vector<std::string>{cp1252("Recebendo a medição No. 3")}));
    EXPECT_EQ(Texto(Controle::Inf_Erro), "");
}

class Marcador_Final : public Programada, public ::testing::WithParamInterface<std::string> {};

TEST_P(Marcador_Final, SerieDeUmAbreATelaLogo) {
    Abrir_Anotando();
    Receber(Registro(1, GetParam()));
    EXPECT_EQ(num_na_tela, (std::vector<int>{1}));
    Esperar_Registro(0, 1);
}

// Without a marker the frame's ETX stands at position 25.
INSTANTIATE_TEST_SUITE_P(Marcadores, Marcador_Final,
                         ::testing::Values("\x03", "", "X", "\x02", std::string(1, '\0')));

TEST_F(Programada, SerieNovaMaisCurtaDeixaAsLinhasAntigas) {
    for (int i = 1; i <= 5; ++i) {
        Receber(Registro(i, i < 5 ? Mais : "\x03"));
    }
    telas.ao_abrir_data = [&] { variaveis.Data_Solicitada = "050318"; };
    medidor.Medicao_Programada_Click();
    EXPECT_EQ(variaveis.Num_Medicoes, 0);
    Receber(Registro(11, Mais));
    Receber(Registro(12, "\x03"));

    EXPECT_EQ(variaveis.Num_Medicoes, 2);
    Esperar_Registro(0, 11);
    Esperar_Registro(1, 12);
    for (int linha = 2; linha <= 4; ++linha) {
        Esperar_Registro(linha, linha + 1);
    }
    EXPECT_EQ(telas.abertas, (std::vector<std::string>{"Resultados", "Data", "Resultados"}));
}

TEST_F(Programada, RespostasDepoisDaSerieSeJuntamAEla) {
    Abrir_Anotando();
    Receber(Registro(1, "\x03"));
    Receber(Registro(2, "\x03"));
    EXPECT_EQ(num_na_tela, (std::vector<int>{1, 2}));
    Esperar_Registro(1, 2);
}

TEST_F(Programada, SemMedicoesNaoGuardaNada) {
    variaveis.Num_Medicoes = 2;
    Receber("MPESL");
    EXPECT_EQ(variaveis.Num_Medicoes, 2);
    EXPECT_TRUE(telas.abertas.empty());
    EXPECT_EQ(variaveis.Resultados_Medicoes[2][0], "");
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Não há medições para a data !"));
}

TEST_F(Programada, SerieAlemDaUltimaLinhaContaMasNaoGuarda) {
    Abrir_Anotando();
    for (int i = 1; i <= 101; ++i) {
        Receber(Registro(i, Mais));
    }
    Receber(Registro(102, "\x03"));

    EXPECT_EQ(variaveis.Num_Medicoes, 102);
    Esperar_Registro(0, 1);
    Esperar_Registro(100, 101);
    EXPECT_EQ(num_na_tela, (std::vector<int>{102}));
    EXPECT_EQ(texto_na_tela, (std::vector<std::string>{cp1252("Recebendo a medição No. 102")}));
}

TEST_F(Programada, ContagemNoLimiteNaoDaVolta) {
    variaveis.Num_Medicoes = std::numeric_limits<std::int16_t>::max();
    Receber(Registro(1, Mais));
    EXPECT_EQ(variaveis.Num_Medicoes, std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(Texto(Controle::Inf_Erro), cp1252("Recebendo a medição No. 32767"));
    variaveis.Num_Medicoes = -1;
    Receber(Registro(1, Mais));
    EXPECT_EQ(variaveis.Num_Medicoes, 0);
}

}  // namespace
}  // namespace qx7::teste
