// The chart's points per pixel column: few per column, yet every column's true extremes of
// measured volume and percentage among them, and only rows that exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "history/connection.h"
#include "history/queries.h"
#include "tests/support/history/history_fixture.h"

namespace qx7 {
namespace {

using teste::Historico_Teste;

constexpr qint64 Inicio_ms = 1'700'000'000'000;
constexpr qint64 Passo_ms = 30'000;

struct Linha {
    double medido = 0, complementar = 0;
    double percentual() const { return 100.0 * medido / (medido + complementar); }
};

// One tank's readings, every Passo_ms from Inicio_ms plus the tank number.
struct Tanque_Gerado {
    int numero = 0;
    std::vector<Linha> linhas;
    qint64 Instante(std::size_t i) const {
        return Inicio_ms + numero + static_cast<qint64>(i) * Passo_ms;
    }
};

std::vector<Tanque_Gerado> Gerar_E_Inserir(Historico_Teste& historico, std::size_t por_tanque) {
    std::mt19937 gerador(14);
    std::uniform_real_distribution<double> valor(0, 20000);
    EXPECT_TRUE(historico.Banco().transaction());
    std::vector<Tanque_Gerado> tanques;
    for (int numero : {2, 9}) {
        Tanque_Gerado& t = tanques.emplace_back(Tanque_Gerado{numero, {}});
        for (std::size_t i = 0; i < por_tanque; ++i) {
            const Linha& l = t.linhas.emplace_back(Linha{valor(gerador), valor(gerador)});
            historico.Inserir_Leitura({.instante_ms = t.Instante(i),
                                       .tanque = numero,
                                       .medido = l.medido,
                                       .complementar = l.complementar});
        }
    }
    EXPECT_TRUE(historico.Banco().commit());
    return tanques;
}

struct Extremos {
    double medido_min = 1e300, medido_max = -1e300;
    double percentual_min = 1e300, percentual_max = -1e300;
};

std::map<qint64, Extremos> Extremos_Por_Coluna(const Tanque_Gerado& t, const Filtro_Leituras& f,
                                               int colunas) {
    std::map<qint64, Extremos> e;
    for (std::size_t i = 0; i < t.linhas.size(); ++i) {
        const qint64 instante = t.Instante(i);
        if (instante < f.de_ms || instante >= f.ate_ms) {
            continue;
        }
        Extremos& x = e[(instante - f.de_ms) * colunas / (f.ate_ms - f.de_ms)];
        const Linha& l = t.linhas[i];
        x.medido_min = std::min(x.medido_min, l.medido);
        x.medido_max = std::max(x.medido_max, l.medido);
        x.percentual_min = std::min(x.percentual_min, l.percentual());
        x.percentual_max = std::max(x.percentual_max, l.percentual());
    }
    return e;
}

void Conferir_Tanque(const Tanque_Gerado& t, const Serie_Tanque& serie, const Filtro_Leituras& f,
                     int colunas) {
    SCOPED_TRACE(t.numero);
    EXPECT_EQ(serie.tanque, t.numero);
    std::map<qint64, std::vector<Ponto_Grafico>> por_coluna;
    qint64 anterior = f.de_ms - 1;
    for (const Ponto_Grafico& p : serie.pontos) {
        ASSERT_GT(p.instante_ms, anterior);  // in time order, no repeats
        anterior = p.instante_ms;
        // Each point is a stored row, with its own values.
        const auto i = static_cast<std::size_t>((p.instante_ms - Inicio_ms - t.numero) / Passo_ms);
        ASSERT_EQ(t.Instante(i), p.instante_ms);
        EXPECT_EQ(p.medido, t.linhas[i].medido);
        EXPECT_EQ(p.percentual, t.linhas[i].percentual());
        por_coluna[(p.instante_ms - f.de_ms) * colunas / (f.ate_ms - f.de_ms)].push_back(p);
    }
    const std::map<qint64, Extremos> esperados = Extremos_Por_Coluna(t, f, colunas);
    ASSERT_EQ(por_coluna.size(), esperados.size());
    for (const auto& [coluna, x] : esperados) {
        const std::vector<Ponto_Grafico>& pontos = por_coluna[coluna];
        EXPECT_LE(pontos.size(), 6u) << coluna;
        auto tem = [&](auto campo, double valor) {
            return std::any_of(pontos.begin(), pontos.end(),
                               [&](const Ponto_Grafico& p) { return p.*campo == valor; });
        };
        EXPECT_TRUE(tem(&Ponto_Grafico::medido, x.medido_min)) << coluna;
        EXPECT_TRUE(tem(&Ponto_Grafico::medido, x.medido_max)) << coluna;
        EXPECT_TRUE(tem(&Ponto_Grafico::percentual, x.percentual_min)) << coluna;
        EXPECT_TRUE(tem(&Ponto_Grafico::percentual, x.percentual_max)) << coluna;
    }
}

class Decimacao : public ::testing::Test {
  protected:
    void Leitura(qint64 instante_ms, int tanque, double medido, double complementar) {
        historico_.Inserir_Leitura({.instante_ms = instante_ms,
                                    .tanque = tanque,
                                    .medido = medido,
                                    .complementar = complementar});
    }
    std::vector<Serie_Tanque> Series(const Filtro_Leituras& filtro, int colunas) {
        Conexao_Historico leitor(historico_.Arquivo(), Modo_Conexao::Leitura);
        EXPECT_TRUE(leitor.Aberta()) << leitor.Erro().toStdString();
        return Series_Grafico(leitor.Banco(), filtro, colunas);
    }
    static std::vector<qint64> Instantes(const Serie_Tanque& s) {
        std::vector<qint64> v;
        for (const Ponto_Grafico& p : s.pontos) {
            v.push_back(p.instante_ms);
        }
        return v;
    }
    Historico_Teste historico_;
};

TEST_F(Decimacao, QuatrocentasMilLeiturasGuardamOsExtremosDeCadaColuna) {
    const std::vector<Tanque_Gerado> tanques = Gerar_E_Inserir(historico_, 200'000);
    // A period that cuts off the first and the last rows, in a count of columns that does not
    // divide it.
    const Filtro_Leituras filtro{
        Inicio_ms + 1000 * Passo_ms + 7, Inicio_ms + 190'000 * Passo_ms, {}};
    constexpr int colunas = 997;
    const std::vector<Serie_Tanque> series = Series(filtro, colunas);
    ASSERT_EQ(series.size(), tanques.size());
    for (std::size_t i = 0; i < tanques.size(); ++i) {
        Conferir_Tanque(tanques[i], series[i], filtro, colunas);
    }
}

TEST_F(Decimacao, PoucasLeiturasPassamTodasEmOrdem) {
    Leitura(300, 2, 30, 70);
    Leitura(100, 2, 10, 90);
    Leitura(200, 2, 0, 0);   // no percentage: not drawn
    Leitura(1000, 2, 1, 1);  // the excluded end
    Leitura(150, 7, 5, 5);   // another tank, not asked for
    const auto s = Series({100, 1000, {2}}, 100);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].tanque, 2);
    EXPECT_EQ(Instantes(s[0]), (std::vector<qint64>{100, 300}));
    EXPECT_DOUBLE_EQ(s[0].pontos[0].percentual, 10);
    EXPECT_DOUBLE_EQ(s[0].pontos[1].medido, 30);
}

TEST_F(Decimacao, UmaColunaGuardaPrimeiraUltimaEExtremos) {
    // Within one column: first, a high volume with a low share, a low volume with a high
    // share, a plain middle row, and the last.
    Leitura(0, 1, 50, 50);
    Leitura(10, 1, 90, 910);
    Leitura(20, 1, 60, 60);
    Leitura(30, 1, 5, 1);
    Leitura(40, 1, 55, 45);
    Leitura(50, 1, 52, 48);
    const auto s = Series({0, 100, {}}, 1);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(Instantes(s[0]), (std::vector<qint64>{0, 10, 30, 50}));
}

TEST_F(Decimacao, PeriodoVazioOuSemColunas) {
    Leitura(10, 1, 1, 1);
    EXPECT_TRUE(Series({20, 100, {}}, 10).empty());
    EXPECT_TRUE(Series({0, 100, {}}, 0).empty());
    EXPECT_TRUE(Series({100, 100, {}}, 10).empty());
}

}  // namespace
}  // namespace qx7
