// The reading side of the history file, each query against rows inserted through the fixture
// and read back over a read-only connection, as the window reads them.
#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "history/queries.h"
#include "history/reader.h"
#include "tests/support/history/history_fixture.h"
#include "tests/support/history/sqlite_steps.h"

namespace qx7 {
namespace {

using teste::Historico_Teste;
using teste::Leitura_Teste;
using Instantes = std::vector<std::pair<qint64, int>>;

class Consultas : public ::testing::Test {
  protected:
    QSqlDatabase& Leitor() {
        if (!leitor_) {
            leitor_.emplace(historico_.Arquivo());
            EXPECT_TRUE(leitor_->Aberto()) << leitor_->Erro().toStdString();
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
    std::optional<Leitor_Historico> leitor_;
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

// A page read directly after its mark holds the rows the walk gives at that point.
TEST_F(Consultas, PaginaMarcadaIgualAoPercurso) {
    ASSERT_TRUE(historico_.Banco().transaction());
    for (int i = 0; i < 1000; ++i) {  // ties of time across pages, times not in id order
        historico_.Inserir_Leitura({.instante_ms = 5000 - (i / 6) * 10, .tanque = 1 + i % 4});
    }
    ASSERT_TRUE(historico_.Banco().commit());
    const Filtro_Leituras filtro{0, 10000, {1, 2, 4}};
    const auto paginas = Marcar_Paginas(Leitor(), filtro, 64);
    ASSERT_TRUE(paginas);
    EXPECT_EQ(paginas->total, 750);
    EXPECT_EQ(paginas->fins.size(), 750u / 64);
    Percurso_Leituras percurso(filtro, 64);
    for (std::size_t k = 0; k <= paginas->fins.size(); ++k) {
        SCOPED_TRACE(k);
        std::vector<Leitura_Historico> direta;
        ASSERT_TRUE(Ler_Pagina_Leituras(Leitor(), filtro,
                                        k == 0 ? std::nullopt : std::optional(paginas->fins[k - 1]),
                                        64, direta));
        const std::vector<Leitura_Historico> andando = percurso.Proxima(Leitor());
        ASSERT_EQ(direta.size(), andando.size());
        for (std::size_t i = 0; i < direta.size(); ++i) {
            EXPECT_EQ(direta[i].id, andando[i].id);
        }
    }
    EXPECT_TRUE(percurso.Proxima(Leitor()).empty());
}

struct Caso_Custo {
    const char* nome;
    std::vector<int> tanques;
};

class Custo_Pagina : public Consultas, public ::testing::WithParamInterface<Caso_Custo> {
  protected:
    static constexpr int Instantes = 1000;
    static constexpr int Por_Pagina = 50;

    void SetUp() override {
        ASSERT_TRUE(historico_.Banco().transaction());
        for (int i = 0; i < Instantes; ++i) {
            for (int t = 1; t <= 16; ++t) {
                historico_.Inserir_Leitura({.instante_ms = 60'000LL * i, .tanque = t});
            }
        }
        ASSERT_TRUE(historico_.Banco().commit());
    }
    // SQLite's steps for each page of the filter, walked to the end.
    std::vector<qint64> Passos(const Filtro_Leituras& filtro) {
        teste::Contador_Passos contador(Leitor());
        if (!contador.Disponivel()) {
            return {};
        }
        Percurso_Leituras percurso(filtro, Por_Pagina);
        std::vector<qint64> passos;
        contador.Tomar();
        while (!percurso.Proxima(Leitor()).empty()) {
            passos.push_back(contador.Tomar());
        }
        return passos;
    }
};

// The work of a page, counted in SQLite's steps (the rows it visits), depends neither on how
// deep the page is nor on how long the period is.
TEST_P(Custo_Pagina, NaoCresceComAProfundidadeNemComOPeriodo) {
    const std::vector<int>& tanques = GetParam().tanques;
    const std::vector<qint64> ano = Passos({0, 60'000LL * Instantes, tanques});
    const std::vector<qint64> decimo = Passos({0, 6'000LL * Instantes, tanques});
    if (ano.empty()) {
        GTEST_SKIP() << "SQLite's counters are not reachable through Qt's driver";
    }
    ASSERT_GT(ano.size(), 10u);
    const qint64 primeira = ano.front();
    const qint64 funda = ano[ano.size() * 99 / 100 - 1];
    EXPECT_LT(funda, 2 * primeira) << "first " << primeira << ", at 99 % " << funda;
    EXPECT_LT(primeira, 2 * decimo.front())
        << "a year " << primeira << ", a tenth " << decimo.front();
}

INSTANTIATE_TEST_SUITE_P(Filtros, Custo_Pagina,
                         ::testing::Values(Caso_Custo{"TodosOsTanques", {}},
                                           Caso_Custo{"TresTanques", {1, 2, 3}},
                                           Caso_Custo{"UmTanque", {7}}),
                         [](const auto& info) { return std::string(info.param.nome); });

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
    EXPECT_EQ(v[2].medido, std::nullopt);  // not a number: none, not 0
    EXPECT_EQ(v[2].complementar, 0);       // a 0 that was read stays 0
    const Leitura_Historico& a = v[0];
    EXPECT_EQ(
        (QStringList{a.produto, a.comando, a.unidade, a.endereco, a.texto_hora, a.texto_data}),
        (QStringList{"ÓLEO DIESEL", "LM", "P", "01", "12:34", "05/06/24"}));
    EXPECT_EQ(
        (std::vector<std::optional<double>>{a.densidade, a.capacidade, a.medido, a.complementar}),
        (std::vector<std::optional<double>>{0.75, 4000, 1000, 3000}));
    EXPECT_EQ(a.percentual, std::optional<double>(25));
    EXPECT_FALSE(v[1].percentual);  // measured + complementary is 0
    EXPECT_FALSE(v[2].percentual);  // nothing measured
}

// One run: each tank's reading (none: unreadable) and each product's total of what was read.
qint64 Inventario(
    Historico_Teste& h, qint64 instante,
    std::initializer_list<std::tuple<int, const char*, std::optional<double>>> tanques) {
    std::vector<Leitura_Teste> leituras;
    std::map<QString, double> somas;
    for (const auto& [tanque, produto, medido] : tanques) {
        leituras.push_back(
            {.tanque = tanque, .produto = QString::fromUtf8(produto), .medido = medido});
        somas[QString::fromUtf8(produto)] += medido.value_or(0);
    }
    std::vector<Total_Produto> totais;
    for (const auto& [produto, soma] : somas) {
        totais.push_back({produto, QStringLiteral("V"), 1, 10000, soma, 10000 - soma, 0});
    }
    return h.Inserir_Inventario(instante, std::move(leituras), totais);
}

// A side: its value, "ausente" or "ilegível".
struct Lado {
    std::optional<double> valor;
    const char* falta = "";
};
struct Esperada {
    const char* chave;
    Lado de, ate;
    std::optional<double> variacao;
};

void Conferir_Lado(const Lado_Variacao& obtido, const Lado& esperado) {
    EXPECT_EQ(obtido.Valor(), esperado.valor);
    EXPECT_EQ(!obtido.presente, std::string_view(esperado.falta) == "ausente");
    EXPECT_EQ(obtido.ilegiveis > 0, std::string_view(esperado.falta) == "ilegível");
}

void Comparar(const std::vector<Variacao>& obtidas, const std::vector<Esperada>& esperadas) {
    ASSERT_EQ(obtidas.size(), esperadas.size());
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
        SCOPED_TRACE(esperadas[i].chave);
        EXPECT_EQ(obtidas[i].chave, QString::fromUtf8(esperadas[i].chave));
        EXPECT_EQ(obtidas[i].unidade, QStringLiteral("V"));
        Conferir_Lado(obtidas[i].de, esperadas[i].de);
        Conferir_Lado(obtidas[i].ate, esperadas[i].ate);
        EXPECT_EQ(obtidas[i].variacao(), esperadas[i].variacao);
    }
}

TEST_F(Consultas, InventariosDoMaisNovoEDiferencaSemContarFaltasComoZero) {
    const qint64 a = Inventario(historico_, 100,
                                {{1, "GASOLINA", 1000}, {2, "DIESEL", 500}, {3, "GASOLINA", 200}});
    const qint64 b =
        Inventario(historico_, 200,
                   {{1, "GASOLINA", 1500}, {10, "ETANOL", 300}, {3, "GASOLINA", std::nullopt}});
    // A third run must not leak into the comparison.
    const qint64 c = Inventario(historico_, 300, {{1, "GASOLINA", 7}});

    const auto v = Listar_Inventarios(Leitor());
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].id, c);
    ASSERT_EQ(v[0].totais.size(), 1u);
    EXPECT_DOUBLE_EQ(v[0].totais[0].medido, 7);
    EXPECT_EQ(v[1].id, b);
    EXPECT_EQ(v[1].instante_ms, 200);
    EXPECT_EQ(v[1].num_tanques, 3);
    ASSERT_EQ(v[1].totais.size(), 2u);
    EXPECT_EQ(v[1].totais[0].produto, QStringLiteral("ETANOL"));
    EXPECT_EQ(v[1].totais[0].ilegiveis, 0);
    EXPECT_EQ(v[1].totais[1].produto, QStringLiteral("GASOLINA"));
    EXPECT_EQ(v[1].totais[1].ilegiveis, 1);  // tank 3 unreadable: the total is incomplete
    EXPECT_EQ(v[2].id, a);
    EXPECT_EQ(v[2].totais[1].ilegiveis, 0);

    const Diferenca_Inventarios d = Comparar_Inventarios(Leitor(), a, b);
    Comparar(d.por_produto, {{"DIESEL", {500}, {std::nullopt, "ausente"}, std::nullopt},
                             {"ETANOL", {std::nullopt, "ausente"}, {300}, std::nullopt},
                             {"GASOLINA", {1200}, {std::nullopt, "ilegível"}, std::nullopt}});
    Comparar(d.por_tanque, {{"1", {1000}, {1500}, 500},
                            {"2", {500}, {std::nullopt, "ausente"}, std::nullopt},
                            {"3", {200}, {std::nullopt, "ilegível"}, std::nullopt},
                            {"10", {std::nullopt, "ausente"}, {300}, std::nullopt}});
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
