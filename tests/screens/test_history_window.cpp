// The history window and its tab "Tanques": the chart, the readings table read a page at a
// time at any depth, the periods, another file opened read-only, the warnings, the automatic
// reading's interval and the window's size on a station's screen.
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <optional>

#include "tests/screens/history_window_fixture.h"

namespace qx7::teste {
namespace {

struct Historico_Tanques : Historico_Janela {
    void Marcar(int tanque, bool marcado) {
        Achar<QCheckBox>(Tanques(), QStringLiteral("Tanque_%1").arg(tanque).toLatin1().constData())
            .setChecked(marcado);
    }

    // The chart is read on another thread; its series once it has been drawn.
    std::vector<QLineSeries*> Series_Volume() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Tanques().Lendo_Grafico(); }, 10000));
        std::vector<QLineSeries*> volume;
        for (QAbstractSeries* s : Achar<QChartView>(Tanques(), "Grafico").chart()->series()) {
            if (!s->name().endsWith(QStringLiteral("(%)"))) {
                volume.push_back(static_cast<QLineSeries*>(s));
            }
        }
        return volume;
    }
};

TEST_F(Historico_Tanques, ChartHasOneVolumeSeriesPerTickedTankAndFewPointsPerColumn) {
    constexpr int Por_Tanque = 5 * 24 * 60;  // every minute for five days
    Leituras({1, 2, 3}, Inicio(Dia_1), Por_Tanque, Minuto_Ms);
    Abrir().show();
    QApplication::processEvents();
    Marcar(3, false);
    Escolher_Intervalo(Dia_1, Dia_1.addDays(4));

    QChartView& grafico = Achar<QChartView>(Tanques(), "Grafico");
    // The plot area is narrower than the view.
    const int colunas = grafico.width();
    ASSERT_GT(grafico.chart()->plotArea().width(), 0);
    ASSERT_GT(Por_Tanque, 6 * colunas);  // otherwise nothing needed thinning
    const std::vector<QLineSeries*> volume = Series_Volume();
    ASSERT_EQ(volume.size(), 2u);
    EXPECT_EQ(volume[0]->name(), QStringLiteral("Tanque 1"));
    EXPECT_EQ(volume[1]->name(), QStringLiteral("Tanque 2"));
    for (QLineSeries* serie : volume) {
        EXPECT_GT(serie->count(), 0);
        EXPECT_LE(serie->count(), 6 * colunas) << serie->name().toStdString();
        EXPECT_EQ(serie->attachedAxes().size(), 2);
    }
    EXPECT_EQ(grafico.chart()->series().size(), 4);  // and one percentage series each
    // The legend names each tank once, once it is laid out.
    QApplication::processEvents();
    QStringList legenda;
    for (QLegendMarker* marcador : grafico.chart()->legend()->markers()) {
        if (marcador->isVisible()) {
            legenda << marcador->label();
        }
    }
    EXPECT_EQ(legenda, (QStringList{QStringLiteral("Tanque 1"), QStringLiteral("Tanque 2")}));
}

// Every row is there from the start; any of them is read with its own page, and only a few
// pages stay in memory however far the operator scrolls.
TEST_F(Historico_Tanques, ReadingsTableReadsAnyDepthAndKeepsFewRows) {
    constexpr int Linhas = 5000;
    Leituras({1}, Inicio(Dia_1), Linhas, 10'000);
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    QTableView& tabela = Tabela_Leituras();
    ASSERT_EQ(tabela.model()->rowCount(), Linhas);
    auto* modelo = qobject_cast<Modelo_Leituras*>(tabela.model());
    ASSERT_NE(modelo, nullptr);
    // The deepest row first, then back and forth, then through every page.
    for (const int linha : {Linhas - 1, 0, 2345, 199, 200}) {
        EXPECT_EQ(Texto(tabela, linha, 0), Texto_Instante(Inicio(Dia_1) + linha * 10'000LL));
    }
    for (int linha = 0; linha < Linhas; linha += 37) {
        ASSERT_EQ(Texto(tabela, linha, 0), Texto_Instante(Inicio(Dia_1) + linha * 10'000LL));
    }
    EXPECT_LE(modelo->Linhas_Em_Memoria(),
              Modelo_Leituras::Paginas_Em_Memoria * Modelo_Leituras::Tamanho_Pagina);
}

// A value the gauge sent as something other than a number shows as nothing, not as 0.
TEST_F(Historico_Tanques, ReadingWithoutNumberShowsNoValue) {
    historico.Inserir_Leitura({.instante_ms = Inicio(Dia_1), .medido = std::nullopt});
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    QTableView& tabela = Tabela_Leituras();
    ASSERT_EQ(tabela.model()->rowCount(), 1);
    EXPECT_EQ(Texto(tabela, 0, 3), QString());  // Medido
    EXPECT_EQ(Texto(tabela, 0, 4), Texto_Numero(3000));
    EXPECT_EQ(Texto(tabela, 0, 7), QString());  // no percentage either
}

struct Caso_Periodo {
    const char* nome;
    int periodo;  // index in the period box
    QDate de, ate;
    int leituras;
};

class Historico_Periodo : public Historico_Janela,
                          public testing::WithParamInterface<Caso_Periodo> {};

// One reading a day at noon on days 1 to 40 of the history; today is day 40.
TEST_P(Historico_Periodo, TableHoldsThePeriodsReadingsOnly) {
    Leituras({1}, Inicio(Dia_1) + Dia_Ms / 2, 40, Dia_Ms);
    Abrir();
    Tanques().hoje = [] { return Dia_1.addDays(39); };
    const Caso_Periodo& caso = GetParam();
    Achar<QDateEdit>(Tanques(), "De").setDate(caso.de);
    Achar<QDateEdit>(Tanques(), "Ate").setDate(caso.ate);
    Achar<QComboBox>(Tanques(), "Periodo").setCurrentIndex(caso.periodo);
    EXPECT_EQ(Achar<QDateEdit>(Tanques(), "De").isEnabled(), caso.periodo == 3);
    EXPECT_EQ(Tabela_Leituras().model()->rowCount(), caso.leituras);
}

INSTANTIATE_TEST_SUITE_P(
    Periodos, Historico_Periodo,
    testing::Values(Caso_Periodo{"Hoje", 0, Dia_1, Dia_1, 1},
                    Caso_Periodo{"Ultimos7", 1, Dia_1, Dia_1, 7},
                    Caso_Periodo{"Ultimos30", 2, Dia_1, Dia_1, 30},
                    Caso_Periodo{"IntervaloDeUmDia", 3, Dia_1.addDays(4), Dia_1.addDays(4), 1},
                    Caso_Periodo{"IntervaloInvertido", 3, Dia_1.addDays(9), Dia_1, 10},
                    Caso_Periodo{"IntervaloSemLeituras", 3, Dia_1.addDays(-9), Dia_1.addDays(-1),
                                 0}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Historico_Tanques, NoTankTickedLeavesChartAndTableEmptyAndExportsTheHeaderOnly) {
    Leituras({1, 2}, Inicio(Dia_1), 10, Minuto_Ms);
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    ASSERT_EQ(Tabela_Leituras().model()->rowCount(), 20);
    for (int t = 1; t <= Aba_Tanques::Num_Tanques; ++t) {
        Marcar(t, false);
    }
    EXPECT_TRUE(Achar<QChartView>(Tanques(), "Grafico").chart()->series().isEmpty());
    EXPECT_EQ(Tabela_Leituras().model()->rowCount(), 0);
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("t.csv"));
    QString erro;
    ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(Linhas_Do_Arquivo(caminho).size(), 1);
}

// A file moved aside or a backup opens read-only beside the program's; the window says which
// file it shows and goes back to the program's history on request.
TEST_F(Historico_Janela, OtherFileOpensReadOnlyAndTheWindowGoesBack) {
    Historico_Teste copia;
    copia.Inserir_Leitura({.instante_ms = Inicio(Dia_1), .tanque = 5});
    copia.Inserir_Leitura({.instante_ms = Inicio(Dia_1) + 1, .tanque = 6});
    historico.Inserir_Leitura({.instante_ms = Inicio(Dia_1), .tanque = 1});
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    ASSERT_EQ(Tabela_Leituras().model()->rowCount(), 1);
    QLabel& arquivo = Achar<QLabel>(*tela, "Arquivo_Aberto");
    EXPECT_FALSE(arquivo.isVisibleTo(tela.get()));

    tela->escolher_arquivo = [&copia](QWidget&) { return copia.Arquivo(); };
    Achar<QPushButton>(*tela, "Abrir_Arquivo").click();
    EXPECT_EQ(Tabela_Leituras().model()->rowCount(), 2);
    EXPECT_EQ(Texto(Tabela_Leituras(), 1, 1), QStringLiteral("6"));
    EXPECT_TRUE(arquivo.isVisibleTo(tela.get()));
    EXPECT_TRUE(arquivo.text().contains(copia.Arquivo()));

    Achar<QPushButton>(*tela, "Historico_Atual").click();
    EXPECT_EQ(Tabela_Leituras().model()->rowCount(), 1);
    EXPECT_FALSE(arquivo.isVisibleTo(tela.get()));
    // Giving up in the dialog changes nothing.
    tela->escolher_arquivo = [](QWidget&) { return QString(); };
    Achar<QPushButton>(*tela, "Abrir_Arquivo").click();
    EXPECT_EQ(Tabela_Leituras().model()->rowCount(), 1);
}

struct Caso_Aviso {
    const char* nome;
    bool arquivo_existe;
    const char* motivo;
    const char* sql;    // run on the file before the window opens it
    const char* aviso;  // empty: hidden; otherwise the text, or the start of it
};

class Historico_Aviso : public testing::TestWithParam<Caso_Aviso> {};

TEST_P(Historico_Aviso, TellsWhyThereIsNothing) {
    const Caso_Aviso& caso = GetParam();
    std::optional<Historico_Teste> historico;
    QTemporaryDir vazia;
    QString arquivo = vazia.filePath(QStringLiteral("Historico.sqlite"));
    if (caso.arquivo_existe) {
        arquivo = historico.emplace().Arquivo();
        ASSERT_TRUE(QSqlQuery(historico->Banco()).exec(QString::fromLatin1(caso.sql)));
    }
    Programa programa;
    programa.motivo = QString::fromUtf8(caso.motivo);
    Janela_Historico tela(Servicos(arquivo, programa));
    QLabel& aviso = Achar<QLabel>(tela, "Aviso_Historico");
    EXPECT_EQ(aviso.isVisibleTo(&tela), *caso.aviso != '\0');
    if (*caso.aviso != '\0') {
        EXPECT_TRUE(aviso.text().startsWith(QString::fromUtf8(caso.aviso)))
            << aviso.text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Historico_Aviso,
    testing::Values(
        Caso_Aviso{"TudoBem", true, "", "SELECT 1", ""},
        Caso_Aviso{"SemArquivo", false, "", "", "Ainda não há histórico gravado."},
        Caso_Aviso{"Inativo", true, "o disco está cheio", "SELECT 1",
                   "Gravação do histórico suspensa, nova tentativa em breve: o disco está cheio."},
        Caso_Aviso{"InativoSemArquivo", false, "o disco está cheio", "",
                   "Gravação do histórico suspensa, nova tentativa em breve: o disco está cheio."},
        Caso_Aviso{"VersaoMaisNova", true, "", "UPDATE versao_esquema SET versao = 9",
                   "O arquivo "}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Historico_Janela, AutomaticReadingTellsTheProgramTheInterval) {
    Abrir();
    QCheckBox& automatica = Achar<QCheckBox>(*tela, "Leitura_Automatica");
    QSpinBox& intervalo = Achar<QSpinBox>(*tela, "Intervalo_Leitura");
    EXPECT_FALSE(automatica.isChecked());
    EXPECT_FALSE(intervalo.isEnabled());
    EXPECT_EQ(intervalo.minimum(), 1);
    EXPECT_EQ(intervalo.maximum(), 1440);
    automatica.setChecked(true);
    EXPECT_TRUE(intervalo.isEnabled());
    intervalo.setValue(30);
    automatica.setChecked(false);
    EXPECT_FALSE(intervalo.isEnabled());
    // Ticking offers the initial five minutes.
    EXPECT_EQ(programa.pedidos, (std::vector<int>{5, 30, 0}));
}

TEST_F(Historico_Janela, AutomaticReadingShowsWhatTheProgramKept) {
    programa.intervalo = 15;
    Abrir();
    QCheckBox& automatica = Achar<QCheckBox>(*tela, "Leitura_Automatica");
    QSpinBox& intervalo = Achar<QSpinBox>(*tela, "Intervalo_Leitura");
    EXPECT_TRUE(automatica.isChecked());
    EXPECT_EQ(intervalo.value(), 15);
    programa.aceita = false;
    intervalo.setValue(40);
    EXPECT_EQ(programa.pedidos, std::vector<int>{40});
    EXPECT_EQ(intervalo.value(), 15);
    automatica.setChecked(false);
    EXPECT_TRUE(automatica.isChecked());
}

// A station's screen of 1024 x 768 or 1366 x 768: the window opens within the free area and
// every tab can shrink to it, scrolling what does not fit.
TEST_F(Historico_Janela, FitsTheScreensFreeArea) {
    Leituras({1, 2}, Inicio(Dia_1), 10, Minuto_Ms);
    Abrir().show();
    QApplication::processEvents();
    const QSize livre = tela->screen()->availableGeometry().size();
    EXPECT_LE(tela->width(), livre.width());
    EXPECT_LE(tela->height(), livre.height());
    const QSize menor(1024 - 16, 768 - 40 - 40);  // title bar, frame and a taskbar
    for (int aba = 0; aba < Achar<QTabWidget>(*tela, "Abas").count(); ++aba) {
        Achar<QTabWidget>(*tela, "Abas").setCurrentIndex(aba);
        SCOPED_TRACE(aba);
        EXPECT_LE(tela->minimumSizeHint().width(), menor.width());
        EXPECT_LE(tela->minimumSizeHint().height(), menor.height());
    }
}

}  // namespace
}  // namespace qx7::teste
