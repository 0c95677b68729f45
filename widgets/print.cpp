#include "widgets/print.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>

#include "widgets/twips.h"

namespace qx7 {

namespace {

std::unique_ptr<QPrinter> Abrir_Impressora_Padrao() {
    const QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
    if (padrao.isNull()) {
        return nullptr;
    }
    return std::make_unique<QPrinter>(padrao, QPrinter::HighResolution);
}

bool Perguntar_Salvar_Pdf(QWidget& janela, const QString& motivo) {
    QMessageBox caixa(QMessageBox::Warning, janela.windowTitle(),
                      motivo + QStringLiteral("\n\nDeseja salvar a página em um arquivo PDF?"),
                      QMessageBox::NoButton, &janela);
    QPushButton* salvar = caixa.addButton(QStringLiteral("Salvar em PDF"), QMessageBox::AcceptRole);
    caixa.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    caixa.setDefaultButton(salvar);
    caixa.exec();
    return caixa.clickedButton() == salvar;
}

QString Perguntar_Arquivo_Pdf(QWidget& janela) {
    const QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString caminho = QFileDialog::getSaveFileName(&janela, QStringLiteral("Salvar como PDF"),
                                                   pasta + QStringLiteral("/Impressão.pdf"),
                                                   QStringLiteral("Arquivos PDF (*.pdf)"));
    if (!caminho.isEmpty() && QFileInfo(caminho).suffix().isEmpty()) {
        caminho += QStringLiteral(".pdf");
    }
    return caminho;
}

void Mostrar_Aviso(QWidget& janela, const QString& motivo) {
    QMessageBox::warning(&janela, janela.windowTitle(), motivo);
}

Resultado_Impressao Mostrar_Previa(QWidget& janela, QPrinter& impressora, const Desenho& desenhar) {
    QPrintPreviewDialog previa(&impressora, &janela);
    previa.setWindowTitle(janela.windowTitle());
    bool desenhou = false;
    // Drawn again for every change of page setup; the last drawing is the one printed.
    QObject::connect(&previa, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter* destino) { desenhou = desenhar(*destino); });
    if (previa.exec() != QDialog::Accepted) {
        return Resultado_Impressao::Desistiu;
    }
    return desenhou ? Resultado_Impressao::Impresso : Resultado_Impressao::Falhou;
}

Resultado_Impressao Salvar_Em_Pdf(QWidget& janela, const QString& motivo,
                                  const Meios_Impressao& meios, const Desenho& desenhar,
                                  QPageLayout::Orientation orientacao = QPageLayout::Portrait) {
    if (!meios.Oferecer_Pdf(janela, motivo)) {
        return Resultado_Impressao::Desistiu;
    }
    const QString caminho = meios.Escolher_Arquivo_Pdf(janela);
    if (caminho.isEmpty()) {
        return Resultado_Impressao::Desistiu;
    }
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(caminho);
    pdf.setPageOrientation(orientacao);
    if (desenhar(pdf)) {
        return Resultado_Impressao::Salvo_Em_Pdf;
    }
    meios.Avisar(janela, Pdf_Falhou);
    return Resultado_Impressao::Falhou;
}

}  // namespace

double Escala_Da_Tela(const QPrinter& impressora) {
    return impressora.resolution() * Twips_Por_Pixel / 1440.0;
}

void Desenhar_Widget(QPainter& pintor, QWidget& widget, QPoint destino, const QRegion& origem) {
    // Straight onto a printer Qt renders widgets through a pixmap; recorded as a picture first,
    // their text and lines reach the page as text and lines.
    QPicture desenho;
    QPainter gravador(&desenho);
    widget.render(&gravador, QPoint(), origem,
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    gravador.end();
    // A picture plays back scaled from its own resolution to the device's; the painter's
    // transformation already does that.
    pintor.save();
    pintor.translate(destino);
    pintor.scale(static_cast<double>(desenho.logicalDpiX()) / pintor.device()->logicalDpiX(),
                 static_cast<double>(desenho.logicalDpiY()) / pintor.device()->logicalDpiY());
    pintor.drawPicture(QPoint(), desenho);  // render() put the top left of `origem` at 0, 0
    pintor.restore();
}

bool Desenhar_Janela(QWidget& janela, QPrinter& impressora) {
    QPainter pintor;
    if (!pintor.begin(&impressora)) {
        return false;
    }
    // The widgets draw themselves at the printer's resolution: text stays text, lines stay
    // lines. One screen pixel keeps its size on paper, reduced only to fit the page.
    const QSizeF area = pintor.viewport().size();
    double escala = Escala_Da_Tela(impressora);
    const QSizeF janela_tela = QSizeF(janela.size()) * escala;
    if (janela_tela.width() > area.width() || janela_tela.height() > area.height()) {
        escala *=
            std::min(area.width() / janela_tela.width(), area.height() / janela_tela.height());
    }
    pintor.scale(escala, escala);
    Desenhar_Widget(pintor, janela, QPoint(), QRegion(QRect(QPoint(), janela.size())));
    return pintor.end() && impressora.printerState() != QPrinter::Error;
}

Meios_Impressao Meios_Do_Sistema() {
    return {
        .Impressora_Padrao = Abrir_Impressora_Padrao,
        .Oferecer_Pdf = Perguntar_Salvar_Pdf,
        .Escolher_Arquivo_Pdf = Perguntar_Arquivo_Pdf,
        .Avisar = Mostrar_Aviso,
        .Visualizar = Mostrar_Previa,
    };
}

Resultado_Impressao Imprimir_Janela(QWidget& janela, const Meios_Impressao& meios,
                                    Desenho desenhar) {
    if (!desenhar) {
        desenhar = [&janela](QPrinter& impressora) { return Desenhar_Janela(janela, impressora); };
    }
    QString motivo = Sem_Impressora;
    if (std::unique_ptr<QPrinter> impressora = meios.Impressora_Padrao()) {
        if (desenhar(*impressora)) {
            return Resultado_Impressao::Impresso;
        }
        motivo = Impressao_Falhou;
    }
    return Salvar_Em_Pdf(janela, motivo, meios, desenhar);
}

Resultado_Impressao Imprimir_Relatorio(QWidget& janela, const Meios_Impressao& meios,
                                       const Desenho& desenhar,
                                       QPageLayout::Orientation orientacao) {
    std::unique_ptr<QPrinter> impressora = meios.Impressora_Padrao();
    Resultado_Impressao resultado = Resultado_Impressao::Falhou;
    if (impressora) {
        impressora->setPageOrientation(orientacao);
        resultado = meios.Visualizar(janela, *impressora, desenhar);
    }
    if (resultado != Resultado_Impressao::Falhou) {
        return resultado;
    }
    return Salvar_Em_Pdf(janela, impressora ? Impressao_Falhou : Sem_Impressora, meios, desenhar,
                         orientacao);
}

}  // namespace qx7
