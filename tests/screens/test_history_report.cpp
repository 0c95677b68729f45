// The history window's "Imprimir": the tab's data as a report of numbered pages, not a
// picture of the window; the preview when there is a printer, a PDF file when there is none.
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "tests/screens/history_window_fixture.h"

namespace qx7::teste {
namespace {

// Each page's text as pdftotext reads it; empty when the tool is missing.
QStringList Paginas_Pdf(const QString& pdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        return {};
    }
    QProcess processo;
    processo.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    processo.waitForFinished();
    QStringList paginas =
        QString::fromUtf8(processo.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!paginas.isEmpty() && paginas.back().trimmed().isEmpty()) {
        paginas.removeLast();
    }
    return paginas;
}

struct Relatorio_Historico : Historico_Janela {
    QTemporaryDir pasta;
    QString pdf = pasta.filePath(QStringLiteral("relatorio.pdf"));
    QStringList ofertas;
    int previas = 0;

    // No printer: the report is offered as a PDF, and saved at `pdf`.
    void Sem_Impressora() {
        tela->meios_impressao.Impressora_Padrao = [] { return std::unique_ptr<QPrinter>(); };
        tela->meios_impressao.Oferecer_Pdf = [this](QWidget&, const QString& motivo) {
            ofertas << motivo;
            return true;
        };
        tela->meios_impressao.Escolher_Arquivo_Pdf = [this](QWidget&) { return pdf; };
        tela->meios_impressao.Avisar = [](QWidget&, const QString& motivo) {
            ADD_FAILURE() << motivo.toStdString();
        };
        tela->meios_impressao.Visualizar = [this](QWidget&, QPrinter&, const Desenho&) {
            ++previas;
            return Resultado_Impressao::Desistiu;
        };
    }
};

TEST_F(Relatorio_Historico, ReadingsOnNumberedPagesWithEveryRowAndTheHeaderOnEach) {
    constexpr int Linhas = 500;
    Leituras({1}, Inicio(Dia_1), Linhas, Minuto_Ms);
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    Sem_Impressora();
    Achar<QPushButton>(*tela, "Imprimir").click();
    EXPECT_EQ(ofertas, QStringList{qx7::Sem_Impressora});
    EXPECT_EQ(previas, 0);
    const QStringList paginas = Paginas_Pdf(pdf);
    if (paginas.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    ASSERT_GE(paginas.size(), 2);
    const QString texto = paginas.join(QLatin1Char('\f'));
    for (int k = 1; k <= paginas.size(); ++k) {
        SCOPED_TRACE(k);
        const QString& pagina = paginas[k - 1];
        EXPECT_TRUE(pagina.contains(QStringLiteral("Página %1 de %2").arg(k).arg(paginas.size())));
        EXPECT_TRUE(pagina.contains(QStringLiteral("Leituras dos tanques")));
        EXPECT_TRUE(pagina.contains(QStringLiteral("Período: de 01/02/2024 a 01/02/2024")))
            << pagina.toStdString();
        EXPECT_TRUE(pagina.contains(QStringLiteral("Data e hora")));
        EXPECT_TRUE(pagina.contains(QStringLiteral("Complementar"))) << pagina.toStdString();
    }
    for (int i = 0; i < Linhas; ++i) {
        ASSERT_EQ(texto.count(Texto_Instante(Inicio(Dia_1) + i * Minuto_Ms)), 1) << i;
    }
}

// With a printer the report is previewed, across the page, and printed from there.
TEST_F(Relatorio_Historico, PrinterShowsThePreview) {
    Leituras({2}, Inicio(Dia_1), 3, Minuto_Ms);
    Abrir();
    Escolher_Intervalo(Dia_1, Dia_1);
    Sem_Impressora();
    tela->meios_impressao.Impressora_Padrao = [this] {
        auto impressora = std::make_unique<QPrinter>(QPrinter::HighResolution);
        impressora->setOutputFormat(QPrinter::PdfFormat);
        impressora->setOutputFileName(pdf);
        return impressora;
    };
    QPageLayout::Orientation orientacao = QPageLayout::Portrait;
    tela->meios_impressao.Visualizar = [&](QWidget&, QPrinter& impressora, const Desenho& desenho) {
        orientacao = impressora.pageLayout().orientation();
        return desenho(impressora) ? Resultado_Impressao::Impresso : Resultado_Impressao::Falhou;
    };
    EXPECT_EQ(tela->Imprimir(), Resultado_Impressao::Impresso);
    EXPECT_TRUE(ofertas.isEmpty());
    EXPECT_EQ(orientacao, QPageLayout::Landscape);
    const QStringList paginas = Paginas_Pdf(pdf);
    if (paginas.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    ASSERT_EQ(paginas.size(), 1);
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Tanques: todos"))) << paginas[0].toStdString();
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Página 1 de 1")));
}

}  // namespace
}  // namespace qx7::teste
