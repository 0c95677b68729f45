// The history window's other tabs: the inventory runs and their comparison (a tank missing or
// unreadable said so, never counted as 0), the programmed series, the link's counters, the
// clock's drift and the records lost; and each tab's CSV export, one file per table.
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QTabWidget>
#include <QTemporaryDir>
#include <array>
#include <map>

#include "tests/screens/history_window_fixture.h"

namespace qx7::teste {
namespace {

// Runs of day 1 (older) and day 2: GASOLINA grows, DIESEL is gone, ETANOL is new, and tank 4
// could not be read in the newer run.
struct Historico_Inventarios : Historico_Janela {
    void SetUp() override {
        anterior_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        auto leitura = [](int tanque, const char* produto, std::optional<double> medido) {
            Leitura_Teste l;
            l.tanque = tanque;
            l.produto = QString::fromLatin1(produto);
            l.medido = medido;
            return l;
        };
        historico.Inserir_Inventario(
            Inicio(Dia_1),
            {leitura(1, "GASOLINA", 1000.5), leitura(2, "DIESEL", 2000), leitura(4, "ETANOL", 10)},
            {{QStringLiteral("GASOLINA"), QStringLiteral("V"), 1, 4000, 1000.5, 3000, 0},
             {QStringLiteral("DIESEL"), QStringLiteral("V"), 1, 4000, 2000, 2000, 0},
             {QStringLiteral("ETANOL"), QStringLiteral("V"), 1, 4000, 10, 3990, 0}});
        historico.Inserir_Inventario(
            Inicio(Dia_1.addDays(1)),
            {leitura(1, "GASOLINA", 1500), leitura(3, "ETANOL", 700),
             leitura(4, "ETANOL", std::nullopt)},
            {{QStringLiteral("GASOLINA"), QStringLiteral("V"), 1, 4000, 1500, 2500, 0},
             {QStringLiteral("ETANOL"), QStringLiteral("V"), 2, 8000, 700, 7300, 0}});
        Abrir();
        Achar<QTabWidget>(*tela, "Abas").setCurrentIndex(1);
    }
    void TearDown() override { QLocale::setDefault(anterior_); }

    QTableView& Tabela(const char* nome) { return Achar<QTableView>(*tela, nome); }
    void Selecionar(int linha) {
        QTableView& lista = Tabela("Inventarios");
        lista.selectionModel()->select(lista.model()->index(linha, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Key → (de, até, variação), numbers as their values.
    std::map<QString, std::array<QString, 3>> Variacoes(const char* nome) {
        QTableView& t = Tabela(nome);
        std::map<QString, std::array<QString, 3>> v;
        for (int r = 0; r < t.model()->rowCount(); ++r) {
            v[Texto(t, r, 0)] = {Celula(t, r, 2), Celula(t, r, 3), Celula(t, r, 4)};
        }
        return v;
    }

  private:
    QLocale anterior_;
};

TEST_F(Historico_Inventarios, TwoRunsChosenShowTheVariationAndSayWhatIsMissing) {
    ASSERT_EQ(Tabela("Inventarios").model()->rowCount(), 2);
    // The newer run's ETANOL total leaves tank 4 out, and says so.
    EXPECT_EQ(Texto(Tabela("Inventarios"), 0, 4), QStringLiteral("700 (1 tanque ilegível)"));
    Selecionar(0);  // the newer run first
    EXPECT_EQ(Tabela("Diferenca_Produtos").model()->rowCount(), 0);
    EXPECT_TRUE(Achar<QLabel>(*tela, "Dica_Inventarios").isVisibleTo(tela.get()));
    Selecionar(1);
    EXPECT_FALSE(Achar<QLabel>(*tela, "Dica_Inventarios").isVisibleTo(tela.get()));
    using V = std::map<QString, std::array<QString, 3>>;
    const QString ausente = QStringLiteral("ausente");
    const QString nao = QStringLiteral("não calculada");
    EXPECT_EQ(Variacoes("Diferenca_Produtos"),
              (V{{QStringLiteral("GASOLINA"), {"1000.5", "1500", "499.5"}},
                 {QStringLiteral("DIESEL"), {"2000", ausente, nao}},
                 {QStringLiteral("ETANOL"),
                  {"10", QStringLiteral("incompleto (1 tanque ilegível)"), nao}}}));
    EXPECT_EQ(Variacoes("Diferenca_Tanques"),
              (V{{QStringLiteral("1"), {"1000.5", "1500", "499.5"}},
                 {QStringLiteral("2"), {"2000", ausente, nao}},
                 {QStringLiteral("3"), {ausente, "700", nao}},
                 {QStringLiteral("4"), {"10", QStringLiteral("ilegível"), nao}}}));
}

TEST_F(Historico_Inventarios, ExportWritesOneFilePerTableNamedAfterIt) {
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("Inventarios.csv"));
    QString erro;
    Selecionar(0);
    ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files), QStringList{"Inventarios.csv"});
    Selecionar(1);
    ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"Inventarios.csv", "Inventarios_Variacao_Produtos.csv",
                           "Inventarios_Variacao_Tanques.csv"}));
    EXPECT_EQ(Linhas_Do_Arquivo(caminho),
              (QStringList{"Data e hora;Endereço;Tanques;DIESEL;ETANOL;GASOLINA",
                           "2024-02-02 00:00:00;01;3;;700 (1 tanque ilegível);1500",
                           "2024-02-01 00:00:00;01;3;2000;10;1000,5"}));
    EXPECT_EQ(
        Linhas_Do_Arquivo(pasta.filePath(QStringLiteral("Inventarios_Variacao_Tanques.csv"))),
        (QStringList{"Tanque;Unidade;De;Até;Variação", "1;Volume;1000,5;1500;499,5",
                     "2;Volume;2000;ausente;não calculada", "3;Volume;ausente;700;não calculada",
                     "4;Volume;10;ilegível;não calculada"}));
}

TEST_F(Historico_Janela, ExportThatCannotBeWrittenSaysWhy) {
    Leituras({1}, Inicio(Dia_1), 3, Minuto_Ms);
    Abrir();
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("nao/existe.csv"));
    for (int aba = 0; aba < Achar<QTabWidget>(*tela, "Abas").count(); ++aba) {
        Achar<QTabWidget>(*tela, "Abas").setCurrentIndex(aba);
        QString erro;
        EXPECT_FALSE(tela->Exportar_Csv(caminho, erro)) << aba;
        EXPECT_TRUE(erro.contains(caminho)) << aba << ": " << erro.toStdString();
    }
    EXPECT_FALSE(QFile::exists(caminho));
}

TEST_F(Historico_Janela, ProgrammedSeriesChosenShowsItsRecords) {
    historico.Inserir_Serie(Inicio(Dia_1), QStringLiteral("010224"),
                            {{1, QStringLiteral("010224"), QStringLiteral("103000"),
                              QStringLiteral("1500"), QStringLiteral("003")},
                             {2, QStringLiteral("010224"), QStringLiteral("113000"),
                              QStringLiteral("1400"), QStringLiteral("003")}});
    Abrir();
    QTableView& series = Achar<QTableView>(*tela, "Series");
    ASSERT_EQ(series.model()->rowCount(), 1);
    EXPECT_EQ(Celula(series, 0, 3), QStringLiteral("2"));
    QTableView& registros = Achar<QTableView>(*tela, "Registros");
    EXPECT_EQ(registros.model()->rowCount(), 0);
    series.selectRow(0);
    ASSERT_EQ(registros.model()->rowCount(), 2);
    EXPECT_EQ(Texto(registros, 1, 2), QStringLiteral("001400"));
    EXPECT_EQ(Texto(registros, 1, 4), QStringLiteral("11:30:00"));
}

struct Caso_Deriva {
    const char* nome;
    std::vector<std::optional<qint64>> derivas;  // oldest first
    const char* aviso;                           // empty: hidden
};

class Historico_Deriva : public Historico_Janela,
                         public testing::WithParamInterface<Caso_Deriva> {};

TEST_P(Historico_Deriva, WarnsWhenTheNewestDriftPassesTwoMinutes) {
    const Caso_Deriva& caso = GetParam();
    qint64 instante = Inicio(Dia_1);
    for (const auto& deriva : caso.derivas) {
        historico.Inserir_Relogio(instante += Minuto_Ms, QStringLiteral("10:00:00"),
                                  QStringLiteral("01/02/24"), deriva);
    }
    Abrir();
    Achar<QTabWidget>(*tela, "Abas").setCurrentIndex(3);
    EXPECT_EQ(Achar<QTableView>(*tela, "Relogio").model()->rowCount(), std::ssize(caso.derivas));
    QLabel& aviso = Achar<QLabel>(*tela, "Aviso_Relogio");
    EXPECT_EQ(aviso.isVisibleTo(tela.get()), *caso.aviso != '\0');
    if (*caso.aviso != '\0') {
        EXPECT_EQ(aviso.text(), QString::fromUtf8(caso.aviso));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Historico_Deriva,
    testing::Values(Caso_Deriva{"Adiantado121",
                                {121},
                                "Atenção: o relógio do medidor difere do computador em 2 minutos."},
                    Caso_Deriva{"Atrasado121",
                                {-121},
                                "Atenção: o relógio do medidor difere do computador em 2 minutos."},
                    Caso_Deriva{"Adiantado119", {119}, ""},
                    Caso_Deriva{"AcertadoDepois", {600, 10}, ""},
                    Caso_Deriva{"UltimaSemHora",
                                {400, std::nullopt},
                                "Atenção: o relógio do medidor difere do computador em 7 minutos."},
                    Caso_Deriva{"NenhumaResposta", {}, ""}),
    [](const auto& info) { return std::string(info.param.nome); });

// The file's totals plus what this session has not written yet; another file's are its own.
TEST_F(Historico_Janela, CountersSinceTheStartAddTheFileAndThePending) {
    historico.Inserir_Contador("naks_recebidos", 40);
    programa.sessao.NAKs_Recebidos = 7;
    programa.pendentes.NAKs_Recebidos = 5;
    Abrir();
    QTableView& contadores = Achar<QTableView>(*tela, "Contadores");
    ASSERT_EQ(contadores.model()->rowCount(), std::ssize(Campos_Estatisticas));
    EXPECT_EQ(Texto(contadores, 2, 0), QStringLiteral("NAKs recebidos"));
    EXPECT_EQ(Celula(contadores, 2, 1), QStringLiteral("7"));
    EXPECT_EQ(Celula(contadores, 2, 2), QStringLiteral("45"));
    EXPECT_EQ(Celula(contadores, 0, 2), QStringLiteral("0"));
    Historico_Teste outro;
    outro.Inserir_Contador("naks_recebidos", 3);
    tela->Abrir_Arquivo(outro.Arquivo());
    EXPECT_EQ(Celula(contadores, 2, 2), QStringLiteral("3"));
}

TEST_F(Historico_Janela, RecordsLostAreShownOnTheLinkTab) {
    Abrir();
    Achar<QTabWidget>(*tela, "Abas").setCurrentIndex(3);
    QLabel& perdidos = Achar<QLabel>(*tela, "Registros_Perdidos");
    EXPECT_FALSE(perdidos.isVisibleTo(tela.get()));
    programa.perdidos = 1440;
    tela->Atualizar();
    EXPECT_TRUE(perdidos.isVisibleTo(tela.get()));
    EXPECT_TRUE(perdidos.text().endsWith(QStringLiteral(": 1440")))
        << perdidos.text().toStdString();
}

}  // namespace
}  // namespace qx7::teste
