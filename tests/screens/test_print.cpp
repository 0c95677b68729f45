#include "widgets/print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "gauge/shared_tables.h"
#include "screens/inventory/form2.h"
#include "screens/measurements/form5.h"

namespace {

using qx7::Meios_Impressao;
using qx7::Resultado_Impressao;

std::unique_ptr<QPrinter> Impressora_Pdf(const QString& caminho) {
    auto impressora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impressora->setOutputFormat(QPrinter::PdfFormat);
    impressora->setOutputFileName(caminho);
    return impressora;
}

// Pages counted by their page objects ("/Type /Page", not "/Type /Pages").
int Paginas(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray conteudo = arquivo.readAll();
    return static_cast<int>(conteudo.count("/Type /Page\n") + conteudo.count("/Type /Page\r") +
                            conteudo.count("/Type /Page ") + conteudo.count("/Type /Page/") +
                            conteudo.count("/Type /Page>"));
}

// The page as pdftoppm renders it, or a null image when that tool is missing.
QImage Pagina_Renderizada(const QString& pdf, const QString& pasta) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        return {};
    }
    const QString base = pasta + QStringLiteral("/pagina");
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                       QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png"));
}

// The PDF's text as pdftotext reads it, or a null string when that tool is missing.
QString Texto_Pdf(const QString& pdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        return {};
    }
    QProcess processo;
    processo.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    processo.waitForFinished();
    return QString::fromUtf8(processo.readAllStandardOutput());
}

double Fracao_Escura(const QImage& imagem) {
    qint64 escuros = 0;
    for (int y = 0; y < imagem.height(); ++y) {
        for (int x = 0; x < imagem.width(); ++x) {
            if (qGray(imagem.pixel(x, y)) < 200) {
                ++escuros;
            }
        }
    }
    return static_cast<double>(escuros) / (imagem.width() * imagem.height());
}

class Impressao : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pasta.isValid());
        v.Tabela_Tanques[1] = {"001", "000750", "000250", "0.85", "DI", "05/03/18", "12:00:00", ""};
        v.Tabela_Tanques[6] = {"006", "000100", "000900", "0.74", "GA", "05/03/18", "12:01:00", ""};
        tela.Atualizar();
    }

    // Records what was asked; answers as told.
    Meios_Impressao Meios(std::function<std::unique_ptr<QPrinter>()> impressora, bool aceita) {
        Meios_Impressao meios;
        meios.Impressora_Padrao = std::move(impressora);
        meios.Oferecer_Pdf = [this, aceita](QWidget& janela, const QString& motivo) {
            ofertas.push_back(motivo);
            EXPECT_EQ(&janela, &tela);
            return aceita;
        };
        meios.Escolher_Arquivo_Pdf = [this](QWidget&) {
            ++escolhas;
            return caminho_pdf;
        };
        meios.Avisar = [this](QWidget&, const QString& motivo) { avisos.push_back(motivo); };
        return meios;
    }

    QTemporaryDir pasta;
    QString caminho_pdf = pasta.filePath(QStringLiteral("salvo.pdf"));
    qx7::Variaveis_Programa v;
    qx7::Form2 tela{v};
    QStringList ofertas;
    QStringList avisos;
    int escolhas = 0;
};

TEST_F(Impressao, WindowDrawnOnOnePdfPageThatIsNotBlank) {
    const QString caminho = pasta.filePath(QStringLiteral("janela.pdf"));
    auto impressora = Impressora_Pdf(caminho);
    ASSERT_TRUE(qx7::Desenhar_Janela(tela, *impressora));
    EXPECT_EQ(Paginas(caminho), 1);
    const QImage pagina = Pagina_Renderizada(caminho, pasta.path());
    if (pagina.isNull()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    // The tables, frames and tank drawings leave a good share of the page inked.
    EXPECT_GT(Fracao_Escura(pagina), 0.01);
}

TEST_F(Impressao, BlankWindowGivesABlankPageSoTheCheckAboveMeansSomething) {
    QWidget vazio;
    vazio.resize(300, 300);
    QPalette paleta;
    paleta.setColor(QPalette::Window, Qt::white);
    vazio.setPalette(paleta);
    vazio.setAutoFillBackground(true);
    const QString caminho = pasta.filePath(QStringLiteral("vazio.pdf"));
    auto impressora = Impressora_Pdf(caminho);
    ASSERT_TRUE(qx7::Desenhar_Janela(vazio, *impressora));
    const QImage pagina = Pagina_Renderizada(caminho, pasta.path());
    if (pagina.isNull()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    EXPECT_LT(Fracao_Escura(pagina), 0.001);
}

TEST_F(Impressao, ResultsScreenPrintsOnOnePage) {
    v.Data_Solicitada = "050318";
    v.Resultados_Medicoes[0] = {"050318", "120000", "001500", "003"};
    v.Num_Medicoes = 1;
    qx7::Form5 resultados(v);
    const QString caminho = pasta.filePath(QStringLiteral("resultados.pdf"));
    auto impressora = Impressora_Pdf(caminho);
    ASSERT_TRUE(qx7::Desenhar_Janela(resultados, *impressora));
    EXPECT_EQ(Paginas(caminho), 1);
}

TEST_F(Impressao, PrinterThatCannotStartTheJobReportsFailure) {
    auto impressora = Impressora_Pdf(pasta.filePath(QStringLiteral("falta/pasta/x.pdf")));
    EXPECT_FALSE(qx7::Desenhar_Janela(tela, *impressora));
}

TEST_F(Impressao, DefaultPrinterPrintsWithoutAskingAnything) {
    const QString caminho = pasta.filePath(QStringLiteral("impressora.pdf"));
    const auto resultado =
        qx7::Imprimir_Janela(tela, Meios([&] { return Impressora_Pdf(caminho); }, true));
    EXPECT_EQ(resultado, Resultado_Impressao::Impresso);
    EXPECT_EQ(Paginas(caminho), 1);
    EXPECT_TRUE(ofertas.isEmpty());
    EXPECT_EQ(escolhas, 0);
}

TEST_F(Impressao, NoPrinterOffersAPdfAndSavesIt) {
    const auto resultado =
        qx7::Imprimir_Janela(tela, Meios([] { return std::unique_ptr<QPrinter>(); }, true));
    EXPECT_EQ(resultado, Resultado_Impressao::Salvo_Em_Pdf);
    EXPECT_EQ(ofertas, QStringList{QStringLiteral("Não há impressora disponível.")});
    EXPECT_EQ(escolhas, 1);
    EXPECT_EQ(Paginas(caminho_pdf), 1);
    EXPECT_TRUE(avisos.isEmpty());
}

TEST_F(Impressao, NoPrinterAndTheOfferDeclinedWritesNothing) {
    const auto resultado =
        qx7::Imprimir_Janela(tela, Meios([] { return std::unique_ptr<QPrinter>(); }, false));
    EXPECT_EQ(resultado, Resultado_Impressao::Desistiu);
    EXPECT_EQ(ofertas.size(), 1);
    EXPECT_EQ(escolhas, 0);
    EXPECT_FALSE(QFile::exists(caminho_pdf));
}

TEST_F(Impressao, NoFileChosenWritesNothing) {
    caminho_pdf.clear();
    const auto resultado =
        qx7::Imprimir_Janela(tela, Meios([] { return std::unique_ptr<QPrinter>(); }, true));
    EXPECT_EQ(resultado, Resultado_Impressao::Desistiu);
    EXPECT_EQ(escolhas, 1);
    EXPECT_TRUE(avisos.isEmpty());
}

TEST_F(Impressao, FailedJobOffersAPdf) {
    const QString impossivel = pasta.filePath(QStringLiteral("falta/pasta/x.pdf"));
    const auto resultado =
        qx7::Imprimir_Janela(tela, Meios([&] { return Impressora_Pdf(impossivel); }, true));
    EXPECT_EQ(resultado, Resultado_Impressao::Salvo_Em_Pdf);
    EXPECT_EQ(ofertas, QStringList{QStringLiteral("A impressão falhou.")});
    EXPECT_EQ(Paginas(caminho_pdf), 1);
}

TEST_F(Impressao, PdfThatCannotBeWrittenIsReported) {
    caminho_pdf = pasta.filePath(QStringLiteral("falta/pasta/salvo.pdf"));
    const auto resultado =
        qx7::Imprimir_Janela(tela, Meios([] { return std::unique_ptr<QPrinter>(); }, true));
    EXPECT_EQ(resultado, Resultado_Impressao::Falhou);
    EXPECT_EQ(avisos, QStringList{QStringLiteral("Não foi possível gravar o arquivo PDF.")});
}

// The system's own offer: a warning box with the reason and a button to save the PDF. It is
// answered from the event loop it runs, so nothing waits on the operator.
TEST_F(Impressao, SystemOfferShowsTheReasonAndAcceptsSavingAsPdf) {
    Meios_Impressao meios = qx7::Meios_Do_Sistema();
    QString texto;
    QStringList botoes;
    QTimer::singleShot(0, [&] {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caixa, nullptr);
        texto = caixa->text();
        QPushButton* salvar = nullptr;
        for (QAbstractButton* botao : caixa->buttons()) {
            botoes << botao->text();
            if (botao->text() == QStringLiteral("Salvar em PDF")) {
                salvar = qobject_cast<QPushButton*>(botao);
            }
        }
        ASSERT_NE(salvar, nullptr);
        salvar->click();
    });
    EXPECT_TRUE(meios.Oferecer_Pdf(tela, qx7::Sem_Impressora));
    EXPECT_TRUE(texto.startsWith(QStringLiteral("Não há impressora disponível.")));
    EXPECT_TRUE(texto.contains(QStringLiteral("PDF")));
    EXPECT_TRUE(botoes.contains(QStringLiteral("Cancelar")));
}

TEST_F(Impressao, SystemOfferCancelledAnswersNo) {
    Meios_Impressao meios = qx7::Meios_Do_Sistema();
    QTimer::singleShot(0, [&] {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caixa, nullptr);
        for (QAbstractButton* botao : caixa->buttons()) {
            if (botao->text() == QStringLiteral("Cancelar")) {
                botao->click();
            }
        }
    });
    EXPECT_FALSE(meios.Oferecer_Pdf(tela, qx7::Impressao_Falhou));
}

// Sixteen tanks and twelve products: printed through the operator's path, every reading is
// on the page as text.
TEST_F(Impressao, FullInventoryPrintsEveryReadingAsText) {
    for (int t = 1; t <= 16; ++t) {
        char numero[4];
        std::snprintf(numero, sizeof numero, "%03d", t);
        const std::string produto = "P" + std::to_string(t <= 12 ? t : 1);
        const std::string hora = "15:" + std::to_string(10 + t) + ":07";
        v.Tabela_Tanques[static_cast<std::size_t>(t)] = {numero,  "000750",   "000250", "0.85",
                                                         produto, "05/03/18", hora,     ""};
    }
    tela.Atualizar();
    const auto resultado =
        qx7::Imprimir_Janela(tela, Meios([this] { return Impressora_Pdf(caminho_pdf); }, false));
    ASSERT_EQ(resultado, Resultado_Impressao::Impresso);
    const QString texto = Texto_Pdf(caminho_pdf);
    if (texto.isNull()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_EQ(Paginas(caminho_pdf), 1);
    for (const char* procurado : {"15:26:07", "15:25:07", "P12", "Tanque No. 16", "Hora"}) {
        EXPECT_TRUE(texto.contains(QString::fromUtf8(procurado))) << procurado;
    }
}

// 101 results: more than the grid shows, all printed, a caption and the header on each page.
TEST_F(Impressao, ResultsBeyondTheScreenPrintOnSeveralPagesWithAHeaderEach) {
    v.Data_Solicitada = "050318";
    for (int i = 0; i < qx7::Linhas_Medicoes; ++i) {
        char volume[8];
        std::snprintf(volume, sizeof volume, "V%05d", i + 1);
        v.Resultados_Medicoes[static_cast<std::size_t>(i)] = {"050318", "120000", volume, "003"};
    }
    v.Num_Medicoes = qx7::Linhas_Medicoes;
    qx7::Form5 resultados(v);
    Meios_Impressao meios = Meios([this] { return Impressora_Pdf(caminho_pdf); }, false);
    meios.Oferecer_Pdf = [](QWidget&, const QString&) { return false; };
    resultados.Definir_Meios_Impressao(meios);
    resultados.findChild<QPushButton*>(QStringLiteral("Imprimir"))->click();
    const QString texto = Texto_Pdf(caminho_pdf);
    if (texto.isNull()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const int paginas = Paginas(caminho_pdf);
    EXPECT_GE(paginas, 2);
    EXPECT_EQ(texto.count(QStringLiteral("Medições na data 05/03/18")), paginas);
    EXPECT_EQ(texto.count(QStringLiteral("Volume")), paginas);
    for (int i = 1; i <= qx7::Linhas_Medicoes; ++i) {
        EXPECT_TRUE(texto.contains(QStringLiteral("V%1").arg(i, 5, 10, QLatin1Char('0')))) << i;
    }
    EXPECT_TRUE(texto.contains(QStringLiteral("Página %1 de %1").arg(paginas)));
}

}  // namespace
