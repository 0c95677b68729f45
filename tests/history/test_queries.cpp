// The reading side of the history file, each query against rows inserted through the fixture
// and read back over a read-only connection, as the window reads them.
#include <gtest/gtest.h>

#include "history/connection.h"
#include "history/queries.h"
#include "tests/support/history/history_fixture.h"

namespace qx7 {
namespace {

using teste::Historico_Teste;
using teste::Leitura_Teste;
using Instantes = std::vector<std::pair<qint64, int>>;

class Consultas : public ::testing::Test {
  protected:
    QSqlDatabase& Leitor() {
        if (!leitor_) {
            leitor_.emplace(historico_.Arquivo(), Modo_Conexao::Leitura);
            EXPECT_TRUE(leitor_->Aberta()) << leitor_->Erro().toStdString();
        }
        return leitor_->Banco();
    }
    // The filter's readings page after page, `por_pagina` at a time.
    std::vector<Instantes> Paginas(const Filtro_Leituras& filtro, int por_pagina) {
        std::vector<Instantes> paginas;
        Percurso_Leituras percurso(filtro, por_pagina);
        for (auto p = percurso.Proxima(Leitor()); !p.empty(); p = percurso.Proxima(Leitor())) {
            Instantes v;
            for (const Leitura_Historico& l : p) {
                v.emplace_back(l.instante_ms, l.tanque);
            }
            paginas.push_back(v);
        }
        return paginas;
    }

    Historico_Teste historico_;
    std::optional<Conexao_Historico> leitor_;
};

TEST_F(Consultas, FiltraPorTanqueEPeriodoSemOFim) {
    for (const auto& [instante, tanque] :
         Instantes{{1000, 1}, {2000, 1}, {3000, 1}, {2000, 2}, {999, 2}}) {
        historico_.Inserir_Leitura({.instante_ms = instante, .tanque = tanque});
    }
    const Filtro_Leituras tanque_1{1000, 3000, {1}};
    EXPECT_EQ(Contar_Leituras(Leitor(), tanque_1), 2);
    EXPECT_EQ(Paginas(tanque_1, 10), (std::vector<Instantes>{{{1000, 1}, {2000, 1}}}));
    EXPECT_EQ(Contar_Leituras(Leitor(), {1000, 3001, {}}), 4);
    EXPECT_EQ(Contar_Leituras(Leitor(), {0, 5000, {2, 1}}), 5);
}

TEST_F(Consultas, PaginasEmOrdemDeTempo) {
    for (qint64 t : {50, 10, 40, 20, 30}) {
        historico_.Inserir_Leitura({.instante_ms = t, .tanque = 3});
    }
    const Filtro_Leituras filtro{0, 100, {}};
    EXPECT_EQ(Paginas(filtro, 2),
              (std::vector<Instantes>{{{10, 3}, {20, 3}}, {{30, 3}, {40, 3}}, {{50, 3}}}));
}

TEST_F(Consultas, LeituraCompletaComPercentual) {
    Leitura_Teste l{.instante_ms = 10,
                    .tanque = 4,
                    .produto = QStringLiteral("ÓLEO DIESEL"),
                    .unidade = QStringLiteral("P"),
                    .comando = QStringLiteral("LM"),
                    .texto_hora = QStringLiteral("12:34"),
                    .texto_data = QStringLiteral("05/06/24")};
    historico_.Inserir_Leitura(l);
    l.instante_ms = 20;
    l.medido = l.complementar = 0;
    historico_.Inserir_Leitura(l);
    l.instante_ms = 30;
    l.medido.reset();
    historico_.Inserir_Leitura(l);

    const auto v = Percurso_Leituras({0, 100, {4}}, 10).Proxima(Leitor());
    ASSERT_EQ(v.size(), 3u);
    const Leitura_Historico& a = v[0];
    EXPECT_EQ(
        (QStringList{a.produto, a.comando, a.unidade, a.endereco, a.texto_hora, a.texto_data}),
        (QStringList{"ÓLEO DIESEL", "LM", "P", "01", "12:34", "05/06/24"}));
    EXPECT_EQ((std::vector<double>{a.densidade, a.capacidade, a.medido, a.complementar}),
              (std::vector<double>{0.75, 4000, 1000, 3000}));
    EXPECT_EQ(a.percentual, std::optional<double>(25));
    EXPECT_FALSE(v[1].percentual);  // measured + complementary is 0
    EXPECT_FALSE(v[2].percentual);  // nothing measured
}

// One run per product: the tank's reading and the product's total.
qint64 Inventario(Historico_Teste& h, qint64 instante,
                  std::initializer_list<std::tuple<int, const char*, double>> tanques) {
    std::vector<Leitura_Teste> leituras;
    std::vector<Total_Produto> totais;
    for (const auto& [tanque, produto, medido] : tanques) {
        leituras.push_back(
            {.tanque = tanque, .produto = QString::fromUtf8(produto), .medido = medido});
        totais.push_back(
            {QString::fromUtf8(produto), QStringLiteral("V"), 1, 10000, medido, 10000 - medido});
    }
    return h.Inserir_Inventario(instante, std::move(leituras), totais);
}

struct Esperada {
    const char* chave;
    double de, ate;
};

void Comparar(const std::vector<Variacao>& obtidas, const std::vector<Esperada>& esperadas) {
    ASSERT_EQ(obtidas.size(), esperadas.size());
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
        SCOPED_TRACE(esperadas[i].chave);
        EXPECT_EQ(obtidas[i].chave, QString::fromUtf8(esperadas[i].chave));
        EXPECT_EQ(obtidas[i].unidade, QStringLiteral("V"));
        EXPECT_DOUBLE_EQ(obtidas[i].de, esperadas[i].de);
        EXPECT_DOUBLE_EQ(obtidas[i].ate, esperadas[i].ate);
        EXPECT_DOUBLE_EQ(obtidas[i].variacao(), esperadas[i].ate - esperadas[i].de);
    }
}

TEST_F(Consultas, InventariosDoMaisNovoEDiferencaComProdutoEmUmSo) {
    const qint64 a = Inventario(historico_, 100, {{1, "GASOLINA", 1000}, {2, "DIESEL", 500}});
    const qint64 b = Inventario(historico_, 200, {{1, "GASOLINA", 1500}, {10, "ETANOL", 300}});
    // A third run must not leak into the comparison.
    const qint64 c = Inventario(historico_, 300, {{1, "GASOLINA", 7}});

    const auto v = Listar_Inventarios(Leitor());
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].id, c);
    ASSERT_EQ(v[0].totais.size(), 1u);
    EXPECT_DOUBLE_EQ(v[0].totais[0].medido, 7);
    EXPECT_EQ(v[1].id, b);
    EXPECT_EQ(v[1].instante_ms, 200);
    EXPECT_EQ(v[1].num_tanques, 2);
    ASSERT_EQ(v[1].totais.size(), 2u);
    EXPECT_EQ(v[1].totais[0].produto, QStringLiteral("ETANOL"));
    EXPECT_DOUBLE_EQ(v[1].totais[0].medido, 300);
    EXPECT_DOUBLE_EQ(v[1].totais[0].complementar, 9700);
    EXPECT_EQ(v[1].totais[1].produto, QStringLiteral("GASOLINA"));
    EXPECT_EQ(v[2].id, a);

    const Diferenca_Inventarios d = Comparar_Inventarios(Leitor(), a, b);
    Comparar(d.por_produto, {{"DIESEL", 500, 0}, {"ETANOL", 0, 300}, {"GASOLINA", 1000, 1500}});
    Comparar(d.por_tanque, {{"1", 1000, 1500}, {"2", 500, 0}, {"10", 0, 300}});
}

Registro_Programado_Historico Registro(int ordem, const char* volume) {
    return {ordem, QStringLiteral("01/02/24"), QStringLiteral("0%1:00").arg(ordem),
            QString::fromLatin1(volume), QStringLiteral("3")};
}

TEST_F(Consultas, SeriesDoMaisNovoComRegistrosEmOrdem) {
    const qint64 velha = historico_.Inserir_Serie(
        100, QStringLiteral("01/02/24"), {Registro(3, "30"), Registro(1, "10"), Registro(2, "20")});
    const qint64 nova =
        historico_.Inserir_Serie(200, QStringLiteral("02/02/24"), {Registro(1, "99")});
    const qint64 vazia = historico_.Inserir_Serie(150, QStringLiteral("03/02/24"), {});

    const auto v = Listar_Series(Leitor());
    ASSERT_EQ(v.size(), 3u);
    auto registros = [](const Serie_Programada_Historico& s) {
        QStringList r;
        for (const Registro_Programado_Historico& x : s.registros) {
            r << QStringLiteral("%1 %2 %3").arg(x.ordem).arg(x.texto_hora, x.texto_volume);
        }
        return r;
    };
    EXPECT_EQ(v[0].id, nova);
    EXPECT_EQ(v[0].data_solicitada, QStringLiteral("02/02/24"));
    EXPECT_EQ(registros(v[0]), QStringList{"1 01:00 99"});
    EXPECT_EQ(v[1].id, vazia);
    EXPECT_EQ(registros(v[1]), QStringList{});
    EXPECT_EQ(v[2].id, velha);
    EXPECT_EQ(registros(v[2]), (QStringList{"1 01:00 10", "2 02:00 20", "3 03:00 30"}));
}

TEST_F(Consultas, RelogioComESemDeriva) {
    const QString data = QStringLiteral("01/02/24");
    historico_.Inserir_Relogio(100, QStringLiteral("10:02"), data, 150);
    historico_.Inserir_Relogio(200, QStringLiteral("??:??"), data, std::nullopt);
    historico_.Inserir_Relogio(50, QStringLiteral("09:59"), data, -30);

    const auto v = Listar_Relogio(Leitor());
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].instante_ms, 200);
    EXPECT_EQ(v[0].texto_hora, QStringLiteral("??:??"));
    EXPECT_FALSE(v[0].deriva_s);
    EXPECT_EQ(v[1].instante_ms, 100);
    EXPECT_EQ(v[1].deriva_s, 150);
    EXPECT_EQ(v[1].texto_dia, QStringLiteral("SEG"));
    EXPECT_EQ(v[2].deriva_s, -30);
}

TEST_F(Consultas, ContadoresPeloNome) {
    historico_.Inserir_Contador("quadros_enviados", 1234);
    historico_.Inserir_Contador("erros_bcc", 7);
    historico_.Inserir_Contador("reaberturas_porta", 5000000000);
    historico_.Inserir_Contador("contador_de_outra_versao", 99);

    const Estatisticas_Enlace e = Contadores_Gravados(Leitor());
    const Estatisticas_Enlace esperadas{
        .Quadros_Enviados = 1234, .Erros_BCC = 7, .Reaberturas_Porta = 5000000000};
    for (const Campo_Estatistica& campo : Campos_Estatisticas) {
        EXPECT_EQ(e.*campo.Membro, esperadas.*campo.Membro) << campo.Nome;
    }
}

TEST_F(Consultas, ArquivoVazioNaoTemNada) {
    EXPECT_EQ(Contar_Leituras(Leitor(), {0, 100, {}}), 0);
    EXPECT_TRUE(Listar_Inventarios(Leitor()).empty());
    EXPECT_TRUE(Listar_Series(Leitor()).empty());
    EXPECT_TRUE(Listar_Relogio(Leitor()).empty());
    EXPECT_TRUE(Series_Grafico(Leitor(), {0, 100, {}}, 10).empty());
    EXPECT_EQ(Contadores_Gravados(Leitor()).Quadros_Enviados, 0u);
}

}  // namespace
}  // namespace qx7
