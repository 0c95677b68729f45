#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "screens/history/history_window.h"
#include "screens/history/inventories_tab.h"
#include "screens/history/link_tab.h"
#include "screens/history/programmed_tab.h"
#include "screens/history/readings_model.h"
#include "screens/history/table_cells.h"
#include "screens/history/tanks_tab.h"
#include "tests/support/history/history_fixture.h"

namespace {

using qx7::Aba_Tanques;
using qx7::Janela_Historico;
using qx7::Servicos_Historico;
using qx7::teste::Historico_Teste;
using qx7::teste::Leitura_Teste;

constexpr qint64 Minuto_Ms = 60 * 1000;
constexpr qint64 Dia_Ms = 24 * 60 * Minuto_Ms;

qint64 Inicio(QDate dia) {
    return dia.startOfDay().toMSecsSinceEpoch();
}

const QDate Dia_1(2024, 2, 1);

// What the window told the program, and what the program answers.
struct Programa {
    int intervalo = 0;
    bool aceita = true;
    std::vector<int> pedidos;
    QString motivo;
    qx7::Estatisticas_Enlace sessao, pendentes;
};

Servicos_Historico Servicos(const QString& arquivo, Programa& p) {
    return {arquivo,
            [&p] { return p.sessao; },
            [&p] { return p.pendentes; },
            [&p] { return p.motivo; },
            [&p] { return p.intervalo; },
            [&p](int minutos) {
                p.pedidos.push_back(minutos);
                if (p.aceita) {
                    p.intervalo = minutos;
                }
                return p.aceita;
            }};
}

template <typename T>
T& Achar(QWidget& tela, const char* nome) {
    T* controle = tela.findChild<T*>(QString::fromLatin1(nome));
    EXPECT_NE(controle, nullptr) << nome;
    return *controle;
}

QString Texto(QTableView& tabela, int linha, int coluna) {
    return tabela.model()->index(linha, coluna).data().toString();
}

double Numero(QTableView& tabela, int linha, int coluna) {
    return tabela.model()->index(linha, coluna).data(qx7::Papel_Numero).toDouble();
}

QStringList Linhas_Do_Arquivo(const QString& caminho) {
    QFile arquivo(caminho);
    EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly)) << caminho.toStdString();
    QStringList linhas = QString::fromUtf8(arquivo.readAll()).split(QStringLiteral("\r\n"));
    if (!linhas.isEmpty() && linhas.back().isEmpty()) {
        linhas.removeLast();
    }
    return linhas;
}

// A window over its own history file; the file holds what each test inserts before Abrir().
struct Historico_Janela : testing::Test {
    Historico_Teste historico;
    Programa programa;
    std::unique_ptr<Janela_Historico> tela;

    Janela_Historico& Abrir() {
        tela = std::make_unique<Janela_Historico>(Servicos(historico.Arquivo(), programa));
        return *tela;
    }

    Aba_Tanques& Tanques() { return Achar<Aba_Tanques>(*tela, "Aba_Tanques"); }

    // Readings of `tanques` every `passo_ms` from `de_ms` on.
    void Leituras(std::vector<int> tanques, qint64 de_ms, int quantas, qint64 passo_ms) {
        ASSERT_TRUE(historico.Banco().transaction());
        for (int i = 0; i < quantas; ++i) {
            for (int t : tanques) {
                Leitura_Teste l;
                l.instante_ms = de_ms + i * passo_ms;
                l.tanque = t;
                l.medido = 1000 + t * 100 + i % 50;
                l.complementar = 3000 - *l.medido;
                historico.Inserir_Leitura(l);
            }
        }
        ASSERT_TRUE(historico.Banco().commit());
    }

    void Escolher_Intervalo(QDate de, QDate ate) {
        Aba_Tanques& aba = Tanques();
        Achar<QComboBox>(aba, "Periodo").setCurrentIndex(3);
        Achar<QDateEdit>(aba, "De").setDate(de);
        Achar<QDateEdit>(aba, "Ate").setDate(ate);
    }

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

TEST_F(Historico_Janela, ChartHasOneVolumeSeriesPerTickedTankAndFewPointsPerColumn) {
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

TEST_F(Historico_Janela, ReadingsTableIsReadAPageAtATime) {
    Leituras({1}, Inicio(Dia_1), 450, Minuto_Ms);
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    QTableView& tabela = Achar<QTableView>(Tanques(), "Leituras");
    QAbstractItemModel& modelo = *tabela.model();
    EXPECT_EQ(modelo.rowCount(), qx7::Modelo_Leituras::Tamanho_Pagina);
    for (int esperadas : {400, 450}) {
        ASSERT_TRUE(modelo.canFetchMore({}));
        modelo.fetchMore({});
        EXPECT_EQ(modelo.rowCount(), esperadas);
    }
    EXPECT_FALSE(modelo.canFetchMore({}));
    EXPECT_EQ(Texto(tabela, 0, 0), qx7::Texto_Instante(Inicio(Dia_1)));
    EXPECT_EQ(Texto(tabela, 449, 0), qx7::Texto_Instante(Inicio(Dia_1) + 449 * Minuto_Ms));
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
    EXPECT_EQ(Achar<QTableView>(Tanques(), "Leituras").model()->rowCount(), caso.leituras);
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

TEST_F(Historico_Janela, NoTankTickedLeavesChartAndTableEmptyAndExportsTheHeaderOnly) {
    Leituras({1, 2}, Inicio(Dia_1), 10, Minuto_Ms);
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    ASSERT_EQ(Achar<QTableView>(Tanques(), "Leituras").model()->rowCount(), 20);
    for (int t = 1; t <= Aba_Tanques::Num_Tanques; ++t) {
        Marcar(t, false);
    }
    EXPECT_TRUE(Achar<QChartView>(Tanques(), "Grafico").chart()->series().isEmpty());
    EXPECT_EQ(Achar<QTableView>(Tanques(), "Leituras").model()->rowCount(), 0);
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("t.csv"));
    QString erro;
    ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(Linhas_Do_Arquivo(caminho).size(), 1);
}

// Runs of day 1 (older) and day 2: GASOLINA grows, DIESEL is gone, ETANOL is new.
struct Historico_Inventarios : Historico_Janela {
    void SetUp() override {
        auto leitura = [](int tanque, const char* produto, double medido) {
            Leitura_Teste l;
            l.tanque = tanque;
            l.produto = QString::fromLatin1(produto);
            l.medido = medido;
            return l;
        };
        historico.Inserir_Inventario(
            Inicio(Dia_1), {leitura(1, "GASOLINA", 1000.5), leitura(2, "DIESEL", 2000)},
            {{QStringLiteral("GASOLINA"), QStringLiteral("V"), 1, 4000, 1000.5, 3000},
             {QStringLiteral("DIESEL"), QStringLiteral("V"), 1, 4000, 2000, 2000}});
        historico.Inserir_Inventario(
            Inicio(Dia_1.addDays(1)), {leitura(1, "GASOLINA", 1500), leitura(3, "ETANOL", 700)},
            {{QStringLiteral("GASOLINA"), QStringLiteral("V"), 1, 4000, 1500, 2500},
             {QStringLiteral("ETANOL"), QStringLiteral("V"), 1, 4000, 700, 3300}});
        Abrir();
        abas().setCurrentIndex(1);
    }
    QTabWidget& abas() { return Achar<QTabWidget>(*tela, "Abas"); }
    QTableView& Tabela(const char* nome) { return Achar<QTableView>(*tela, nome); }
    void Selecionar(int linha) {
        QTableView& lista = Tabela("Inventarios");
        lista.selectionModel()->select(lista.model()->index(linha, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Key → (de, até, variação).
    std::map<QString, std::array<double, 3>> Variacoes(const char* nome) {
        QTableView& t = Tabela(nome);
        std::map<QString, std::array<double, 3>> v;
        for (int r = 0; r < t.model()->rowCount(); ++r) {
            v[Texto(t, r, 0)] = {Numero(t, r, 2), Numero(t, r, 3), Numero(t, r, 4)};
        }
        return v;
    }
};

TEST_F(Historico_Inventarios, TwoRunsChosenShowTheVariationFromTheOlderToTheNewer) {
    ASSERT_EQ(Tabela("Inventarios").model()->rowCount(), 2);
    Selecionar(0);  // the newer run first
    EXPECT_EQ(Tabela("Diferenca_Produtos").model()->rowCount(), 0);
    EXPECT_TRUE(Achar<QLabel>(*tela, "Dica_Inventarios").isVisibleTo(tela.get()));
    Selecionar(1);
    EXPECT_FALSE(Achar<QLabel>(*tela, "Dica_Inventarios").isVisibleTo(tela.get()));
    using V = std::map<QString, std::array<double, 3>>;
    EXPECT_EQ(Variacoes("Diferenca_Produtos"),
              (V{{QStringLiteral("GASOLINA"), {1000.5, 1500, 499.5}},
                 {QStringLiteral("DIESEL"), {2000, 0, -2000}},
                 {QStringLiteral("ETANOL"), {0, 700, 700}}}));
    EXPECT_EQ(Variacoes("Diferenca_Tanques"), (V{{QStringLiteral("1"), {1000.5, 1500, 499.5}},
                                                 {QStringLiteral("2"), {2000, 0, -2000}},
                                                 {QStringLiteral("3"), {0, 700, 700}}}));
}

TEST_F(Historico_Inventarios, ExportWithoutTwoRunsChosenHoldsTheRunsOnly) {
    Selecionar(0);
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("i.csv"));
    QString erro;
    ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(Linhas_Do_Arquivo(caminho).size(), 3);  // header and two runs
}

struct Caso_Regional {
    const char* nome;
    QLocale local;
    QString separador, decimal;
};

class Historico_Csv : public Historico_Inventarios,
                      public testing::WithParamInterface<Caso_Regional> {
  protected:
    void SetUp() override {
        anterior_ = QLocale();
        QLocale::setDefault(GetParam().local);
        Historico_Inventarios::SetUp();
    }
    void TearDown() override { QLocale::setDefault(anterior_); }

  private:
    QLocale anterior_;
};

// Each tab's file: its header row, its rows, fields parted as the region expects.
// Each tab's file: its header row and its rows, fields parted and numbers written as the
// region expects. In the expected lines "|" stands for the separator and "#" for the decimal
// point.
TEST_P(Historico_Csv, EveryTabExportsItsRowsWithTheRegionalSeparators) {
    Leituras({1}, Inicio(Dia_1), 3, Minuto_Ms);
    historico.Inserir_Contador("quadros_enviados", 12);
    programa.sessao.Quadros_Enviados = 3;
    programa.pendentes.Quadros_Enviados = 2;
    tela->Atualizar();
    Escolher_Intervalo(Dia_1, Dia_1);
    Selecionar(0);
    Selecionar(1);
    struct Esperado {
        int aba;
        int linhas;  // blank lines between tables included
        std::vector<const char*> contem;
    };
    const Esperado esperados[] = {
        {0,
         1 + 3,
         {"2024-02-01 00:00:00|01|MT|1|GASOLINA|0#75|4000|1100|1900|V|36#67|10:00|01/02/24"}},
        {1,
         3 + 1 + 4 + 1 + 4,
         {"Data e hora|Endereço|Tanques|DIESEL|ETANOL|GASOLINA",
          "2024-02-01 00:00:00|01|2|2000||1000#5", "2024-02-02 00:00:00|01|2||700|1500",
          "Produto|Unidade|De|Até|Variação", "GASOLINA|Volume|1000#5|1500|499#5",
          "Tanque|Unidade|De|Até|Variação", "2|Volume|2000|0|-2000"}},
        {3,
         1 + 12 + 1 + 1,
         {"Quadros enviados|3|14", "Contador|Nesta sessão|Desde o início do histórico"}},
    };
    QTemporaryDir pasta;
    for (const Esperado& e : esperados) {
        Achar<QTabWidget>(*tela, "Abas").setCurrentIndex(e.aba);
        const QString caminho = pasta.filePath(QStringLiteral("%1.csv").arg(e.aba));
        QString erro;
        ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
        QStringList linhas = Linhas_Do_Arquivo(caminho);
        ASSERT_FALSE(linhas.isEmpty());
        linhas.front().remove(QChar(0xFEFF));
        EXPECT_EQ(linhas.size(), e.linhas) << e.aba;
        for (const char* modelo : e.contem) {
            const QString linha = QString::fromUtf8(modelo)
                                      .replace(QLatin1Char('|'), GetParam().separador)
                                      .replace(QLatin1Char('#'), GetParam().decimal);
            EXPECT_TRUE(linhas.contains(linha)) << linha.toStdString() << " not in\n"
                                                << linhas.join(QLatin1Char('\n')).toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Regioes, Historico_Csv,
    testing::Values(Caso_Regional{"Brasil", QLocale(QLocale::Portuguese, QLocale::Brazil),
                                  QStringLiteral(";"), QStringLiteral(",")},
                    Caso_Regional{"EUA", QLocale(QLocale::English, QLocale::UnitedStates),
                                  QStringLiteral(","), QStringLiteral(".")}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Historico_Janela, ExportThatCannotBeWrittenSaysWhy) {
    Leituras({1}, Inicio(Dia_1), 3, Minuto_Ms);
    Abrir();
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("nao/existe.csv"));
    for (int aba = 0; aba < 4; ++aba) {
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
    EXPECT_EQ(Numero(series, 0, 3), 2);
    QTableView& registros = Achar<QTableView>(*tela, "Registros");
    EXPECT_EQ(registros.model()->rowCount(), 0);
    series.selectRow(0);
    ASSERT_EQ(registros.model()->rowCount(), 2);
    EXPECT_EQ(Texto(registros, 1, 2), QStringLiteral("001400"));
    EXPECT_EQ(Texto(registros, 1, 4), QStringLiteral("11:30:00"));
}

struct Caso_Aviso {
    const char* nome;
    bool arquivo_existe;
    const char* motivo;
    const char* aviso;  // empty: hidden
};

class Historico_Aviso : public testing::TestWithParam<Caso_Aviso> {};

TEST_P(Historico_Aviso, TellsWhyThereIsNothing) {
    const Caso_Aviso& caso = GetParam();
    std::optional<Historico_Teste> historico;
    QTemporaryDir vazia;
    QString arquivo = vazia.filePath(QStringLiteral("Historico.sqlite"));
    if (caso.arquivo_existe) {
        arquivo = historico.emplace().Arquivo();
    }
    Programa programa;
    programa.motivo = QString::fromUtf8(caso.motivo);
    Janela_Historico tela(Servicos(arquivo, programa));
    QLabel& aviso = Achar<QLabel>(tela, "Aviso_Historico");
    EXPECT_EQ(aviso.isVisibleTo(&tela), *caso.aviso != '\0');
    if (*caso.aviso != '\0') {
        EXPECT_EQ(aviso.text(), QString::fromUtf8(caso.aviso));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Historico_Aviso,
    testing::Values(Caso_Aviso{"TudoBem", true, "", ""},
                    Caso_Aviso{"SemArquivo", false, "", "Ainda não há histórico gravado."},
                    Caso_Aviso{"Inativo", true, "o disco está cheio",
                               "Histórico desativado nesta sessão: o disco está cheio."},
                    Caso_Aviso{"InativoSemArquivo", false, "o disco está cheio",
                               "Histórico desativado nesta sessão: o disco está cheio."}),
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

TEST_F(Historico_Janela, CountersSinceTheStartAddTheFileAndThePending) {
    historico.Inserir_Contador("naks_recebidos", 40);
    programa.sessao.NAKs_Recebidos = 7;
    programa.pendentes.NAKs_Recebidos = 5;
    Abrir();
    QTableView& contadores = Achar<QTableView>(*tela, "Contadores");
    ASSERT_EQ(contadores.model()->rowCount(), std::ssize(qx7::Campos_Estatisticas));
    EXPECT_EQ(Texto(contadores, 2, 0), QStringLiteral("NAKs recebidos"));
    EXPECT_EQ(Numero(contadores, 2, 1), 7);
    EXPECT_EQ(Numero(contadores, 2, 2), 45);
    EXPECT_EQ(Numero(contadores, 0, 2), 0);
}

TEST_F(Historico_Janela, PrintingGoesThroughTheWindowsMeans) {
    Abrir();
    QString motivo;
    tela->meios_impressao.Impressora_Padrao = [] { return std::unique_ptr<QPrinter>(); };
    tela->meios_impressao.Oferecer_Pdf = [&motivo](QWidget&, const QString& m) {
        motivo = m;
        return false;
    };
    Achar<QPushButton>(*tela, "Imprimir").click();
    EXPECT_EQ(motivo, qx7::Sem_Impressora);
}

}  // namespace
