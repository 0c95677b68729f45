#include "tests/e2e/pdf_print.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "screens/inventory/form2.h"
#include "screens/measurements/form5.h"

namespace qx7::e2e {

namespace {

constexpr int Espera_Pdftoppm_ms = 20000;
constexpr int Resolucao_Amostra = 30;

Meios_Impressao Meios_Pdf(const QString& caminho, bool& perguntou) {
    Meios_Impressao meios;
    meios.Impressora_Padrao = [caminho] {
        auto impressora = std::make_unique<QPrinter>(QPrinter::HighResolution);
        impressora->setOutputFormat(QPrinter::PdfFormat);
        impressora->setOutputFileName(caminho);
        return impressora;
    };
    meios.Oferecer_Pdf = [&perguntou](QWidget&, const QString&) {
        perguntou = true;
        return false;
    };
    meios.Escolher_Arquivo_Pdf = [&perguntou](QWidget&) {
        perguntou = true;
        return QString();
    };
    meios.Avisar = [&perguntou](QWidget&, const QString&) { perguntou = true; };
    return meios;
}

double Tinta(const QImage& pagina) {
    if (pagina.isNull()) {
        return 0;
    }
    const QImage cinza = pagina.convertToFormat(QImage::Format_Grayscale8);
    long escuros = 0;
    for (int y = 0; y < cinza.height(); ++y) {
        const uchar* linha = cinza.constScanLine(y);
        for (int x = 0; x < cinza.width(); ++x) {
            escuros += linha[x] < 250 ? 1 : 0;
        }
    }
    return static_cast<double>(escuros) / (static_cast<double>(cinza.width()) * cinza.height());
}

}  // namespace

bool Imprimir_Em_Pdf(QWidget& tela, const QString& caminho) {
    bool perguntou = false;
    if (auto* inventario = qobject_cast<Form2*>(&tela)) {
        inventario->Definir_Meios_Impressao(Meios_Pdf(caminho, perguntou));
    } else if (auto* resultados = qobject_cast<Form5*>(&tela)) {
        resultados->Definir_Meios_Impressao(Meios_Pdf(caminho, perguntou));
    } else {
        return false;
    }
    auto* imprimir = tela.findChild<QAbstractButton*>(QStringLiteral("Imprimir"));
    if (imprimir == nullptr) {
        return false;
    }
    imprimir->click();
    return !perguntou;
}

Paginas_Pdf Ler_Pdf(const QString& caminho) {
    Paginas_Pdf resultado;
    QTemporaryDir saida;
    const QString prefixo = saida.filePath(QStringLiteral("pagina"));
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(Resolucao_Amostra),
                    QStringLiteral("-png"), caminho, prefixo});
    if (!pdftoppm.waitForFinished(Espera_Pdftoppm_ms) || pdftoppm.exitCode() != 0) {
        return resultado;
    }
    const QStringList paginas =
        QDir(saida.path()).entryList({QStringLiteral("pagina*.png")}, QDir::Files, QDir::Name);
    resultado.paginas = static_cast<int>(paginas.size());
    if (!paginas.isEmpty()) {
        resultado.tinta = Tinta(QImage(saida.filePath(paginas.front())));
    }
    return resultado;
}

}  // namespace qx7::e2e
