#include <gtest/gtest.h>

#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <string>

#include "gauge/fields.h"
#include "gauge/shared_tables.h"
#include "screens/measurements/form5.h"
#include "screens/measurements/result_text.h"
#include "widgets/grid.h"
#include "widgets/twips.h"

namespace {

using qx7::Form5;
using qx7::Grade;
using qx7::Variaveis_Programa;

Grade& Resultados(Form5& tela) {
    return *tela.findChild<Grade*>(QStringLiteral("Resultados_MedProg"));
}

QLabel& Erro(Form5& tela) {
    return *tela.findChild<QLabel*>(QStringLiteral("Erro"));
}

void Gravar(Variaveis_Programa& v, int linha, std::string data, std::string hora,
            std::string volume, std::string tanque) {
    auto& registro = v.Resultados_Medicoes[static_cast<std::size_t>(linha)];
    registro[0] = std::move(data);
    registro[1] = std::move(hora);
    registro[2] = std::move(volume);
    registro[3] = std::move(tanque);
}

std::vector<std::string> Linha(Grade& grade, int linha) {
    std::vector<std::string> celulas;
    for (int c = 0; c < grade.Cols(); ++c) {
        celulas.push_back(grade.TextMatrix(linha, c));
    }
    return celulas;
}

using Celulas = std::vector<std::string>;

// The next control that the Tab key reaches after `controle`.
QWidget* Proximo_Tab(QWidget* controle) {
    QWidget* proximo = controle->nextInFocusChain();
    while (proximo != controle && (proximo->focusPolicy() & Qt::TabFocus) == 0) {
        proximo = proximo->nextInFocusChain();
    }
    return proximo;
}

TEST(Form5, OneMeasurement) {
    Variaveis_Programa v;
    v.Data_Solicitada = "050318";
    Gravar(v, 0, "050318", "123456", "001500", "003");
    Gravar(v, 1, "060318", "000000", "999999", "009");  // left by an earlier, longer series
    v.Num_Medicoes = 1;
    Form5 tela(v);
    Grade& grade = Resultados(tela);
    EXPECT_EQ(grade.Rows(), 120);
    EXPECT_EQ(grade.Cols(), 5);
    EXPECT_EQ(Linha(grade, 0), (Celulas{"No.", "Tanque", "Volume", "Data", "Hora"}));
    EXPECT_EQ(Linha(grade, 1), (Celulas{"1", "003", "001500", "05/03/18", "12:34:56"}));
    for (int r = 2; r < 120; ++r) {
        ASSERT_EQ(Linha(grade, r), Celulas(5)) << r;
    }
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(grade.columnWidth(c), qx7::Pixels(900));
        EXPECT_EQ(grade.ColAlignment(c), qx7::Alinhamento_Centro_Centro);
    }
    EXPECT_TRUE(Erro(tela).isHidden());
    EXPECT_EQ(tela.windowTitle(), QStringLiteral("Medições na data 05/03/18"));
}

TEST(Form5, HundredAndOneMeasurementsFillTheTable) {
    Variaveis_Programa v;
    v.Data_Solicitada = "050318";
    for (int r = 0; r < 101; ++r) {
        Gravar(v, r, "050318", "120000", std::to_string(r), "001");
    }
    v.Num_Medicoes = 101;
    Form5 tela(v);
    Grade& grade = Resultados(tela);
    for (int i = 1; i <= 101; ++i) {
        ASSERT_EQ(grade.TextMatrix(i, 0), std::to_string(i));
        ASSERT_EQ(grade.TextMatrix(i, 2), std::to_string(i - 1));
    }
    EXPECT_EQ(Linha(grade, 102), Celulas(5));
}

TEST(Form5, ACountBeyondTheStoredRowsShowsTheRowsThereAre) {
    Variaveis_Programa v;
    for (int r = 0; r < 101; ++r) {
        Gravar(v, r, "050318", "120000", "1", "001");
    }
    v.Num_Medicoes = 150;
    Form5 tela(v);
    Grade& grade = Resultados(tela);
    EXPECT_EQ(grade.TextMatrix(101, 0), "101");
    EXPECT_EQ(Linha(grade, 102), Celulas(5));
}

TEST(Form5, NoMeasurementsShowsTheMessageAndLeavesTheGrid) {
    Variaveis_Programa v;
    v.Data_Solicitada = "050318";
    Gravar(v, 0, "050318", "123456", "001500", "003");
    v.Num_Medicoes = 0;
    Form5 tela(v);
    EXPECT_FALSE(Erro(tela).isHidden());
    EXPECT_EQ(Erro(tela).text(), QStringLiteral("Sem medições para a data 05/03/18."));
    EXPECT_EQ(tela.windowTitle(), QStringLiteral("Medições na data 05/03/18"));
    Grade& grade = Resultados(tela);
    EXPECT_EQ(grade.Rows(), 30);
    EXPECT_EQ(grade.Cols(), 40);
    for (int r = 0; r < 30; ++r) {
        ASSERT_EQ(Linha(grade, r), Celulas(40)) << r;
    }
}

TEST(Form5, ANegativeCountSetsTheTableUpEmpty) {
    Variaveis_Programa v;
    Gravar(v, 0, "050318", "123456", "001500", "003");
    v.Num_Medicoes = -1;
    Form5 tela(v);
    Grade& grade = Resultados(tela);
    EXPECT_TRUE(Erro(tela).isHidden());
    EXPECT_EQ(grade.Rows(), 120);
    EXPECT_EQ(grade.TextMatrix(0, 0), "No.");
    EXPECT_EQ(Linha(grade, 1), Celulas(5));
}

struct Caso_Registro {
    const char* nome;
    std::string data;
    std::string hora;
    std::string data_mostrada;
    std::string hora_mostrada;
};

class Form5_Registro : public ::testing::TestWithParam<Caso_Registro> {};

TEST_P(Form5_Registro, DateAndHourColumns) {
    Variaveis_Programa v;
    v.Data_Solicitada = "050318";
    Gravar(v, 0, GetParam().data, GetParam().hora, "000100", "001");
    v.Num_Medicoes = 1;
    Form5 tela(v);
    EXPECT_EQ(Resultados(tela).TextMatrix(1, 3), GetParam().data_mostrada);
    EXPECT_EQ(Resultados(tela).TextMatrix(1, 4), GetParam().hora_mostrada);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Form5_Registro,
    ::testing::Values(Caso_Registro{"SixCharacters", "050318", "123456", "05/03/18", "12:34:56"},
                      Caso_Registro{"FiveDigitDateIsPadded", "50318", "123456", "05/03/18",
                                    "12:34:56"},
                      Caso_Registro{"FiveCharacterHourRepeatsItsFourth", "050318", "12345",
                                    "05/03/18", "12:34:45"},
                      Caso_Registro{"DateThatIsNoNumberIsSplitUnchanged", "05/318", "1234",
                                    "05//3/18", "12:34:34"},
                      Caso_Registro{"EmptyTexts", "", "", "//", "::"},
                      Caso_Registro{"ShortHour", "1", "1", "00/00/01", "1::1"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Form5, ReopeningShowsTheDateOnceInTheCaption) {
    Variaveis_Programa v;
    v.Data_Solicitada = "050318";
    v.Num_Medicoes = 1;
    for (int vez = 0; vez < 2; ++vez) {
        Form5 tela(v);
        EXPECT_EQ(tela.windowTitle(), QStringLiteral("Medições na data 05/03/18")) << vez;
    }
}

TEST(Form5, ALeadingBlankShiftsTheCaptionDate) {
    Variaveis_Programa v;
    v.Data_Solicitada = " 050318";
    v.Num_Medicoes = 0;
    Form5 tela(v);
    EXPECT_EQ(tela.windowTitle(), QStringLiteral("Medições na data  0/50/31"));
    EXPECT_EQ(Erro(tela).text(), QStringLiteral("Sem medições para a data  0/50/31."));
}

TEST(Form5, LayoutColoursAndFocus) {
    Variaveis_Programa v;
    Form5 tela(v);
    EXPECT_EQ(tela.size(), qx7::Tamanho(5175, 8850));
    EXPECT_EQ(tela.palette().color(QPalette::Window), QColor(Qt::white));
    auto* rotulo = tela.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(rotulo, nullptr);
    EXPECT_EQ(rotulo->text(), QStringLiteral("Medições :"));
    EXPECT_EQ(rotulo->geometry(), qx7::Retangulo(120, 120, 1335, 255));
    EXPECT_EQ(Resultados(tela).geometry(), qx7::Retangulo(120, 360, 4935, 7335));
    EXPECT_FALSE(Resultados(tela).font().bold());
    EXPECT_EQ(Erro(tela).geometry(), qx7::Retangulo(240, 8040, 1815, 495));
    EXPECT_EQ(Erro(tela).palette().color(QPalette::WindowText), QColor(Qt::black));
    auto* imprimir = tela.findChild<QPushButton*>(QStringLiteral("Imprimir"));
    auto* retornar = tela.findChild<QPushButton*>(QStringLiteral("Retornar"));
    ASSERT_NE(imprimir, nullptr);
    ASSERT_NE(retornar, nullptr);
    EXPECT_EQ(imprimir->geometry(), qx7::Retangulo(2400, 7920, 1215, 735));
    EXPECT_EQ(retornar->geometry(), qx7::Retangulo(3840, 7920, 1215, 735));
    EXPECT_EQ(retornar->palette().color(QPalette::Button), QColor(192, 192, 255));
    EXPECT_TRUE(imprimir->font().bold());
    tela.show();
    EXPECT_EQ(tela.focusWidget(), retornar);
    EXPECT_EQ(Proximo_Tab(retornar), &Resultados(tela));
    EXPECT_EQ(Proximo_Tab(&Resultados(tela)), imprimir);
    EXPECT_EQ(Proximo_Tab(imprimir), retornar);
}

TEST(Form5, RetornarCloses) {
    Variaveis_Programa v;
    Form5 tela(v);
    tela.show();
    tela.findChild<QPushButton*>(QStringLiteral("Retornar"))->click();
    EXPECT_FALSE(tela.isVisible());
}

TEST(Form5, ImprimirPrintsThisWindow) {
    Variaveis_Programa v;
    Form5 tela(v);
    QWidget* impresso = nullptr;
    qx7::Meios_Impressao meios;
    meios.Impressora_Padrao = [] { return std::unique_ptr<QPrinter>(); };
    meios.Oferecer_Pdf = [&](QWidget& janela, const QString&) {
        impresso = &janela;
        return false;
    };
    tela.Definir_Meios_Impressao(meios);
    tela.findChild<QPushButton*>(QStringLiteral("Imprimir"))->click();
    EXPECT_EQ(impresso, &tela);
}

struct Caso_Texto {
    std::string entrada;
    std::string saida;
};

TEST(Textos_Resultados, SixDigitFormat) {
    const Caso_Texto casos[] = {
        {"50318", "050318"},
        {"050318", "050318"},
        {" 50318 ", "050318"},
        {"0", "000000"},
        {"1234567", "1234567"},
        {"-5", "-000005"},
        {"+5", "000005"},
        {"-0", "000000"},
        {"5031x", "5031x"},
        {"", ""},
        {"05.318", "05.318"},
        {"-", "-"},
        {"000000000000000000000123", "000123"},
    };
    for (const Caso_Texto& caso : casos) {
        EXPECT_EQ(qx7::Seis_Digitos(caso.entrada), caso.saida) << caso.entrada;
    }
}

TEST(Textos_Resultados, CaptionDate) {
    const Caso_Texto casos[] = {
        {"050318", "05/03/18"},   {" 050318", " 0/50/31"}, {"0503", "05/03/"}, {"", "//"},
        {"05031899", "05/03/18"},
    };
    for (const Caso_Texto& caso : casos) {
        EXPECT_EQ(qx7::Em_Pares(caso.entrada, '/'), caso.saida) << caso.entrada;
    }
}

TEST(Textos_Resultados, SplitInThree) {
    const Caso_Texto casos[] = {
        {"123456", "12:34:56"},
        {"12345", "12:34:45"},
        {"1234567", "12:34:67"},
        {"1", "1::1"},
        {"", "::"},
        {"123", "12:3:23"},
    };
    for (const Caso_Texto& caso : casos) {
        EXPECT_EQ(qx7::Dividir_Em_Tres(caso.entrada, ':'), caso.saida) << caso.entrada;
    }
}

}  // namespace
