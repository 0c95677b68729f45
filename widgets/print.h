#pragma once
// Printing a screen: its client area drawn by its own widgets onto the default printer's
// page (sharp, searchable text), with no dialog. Printing a report: its pages shown in a
// preview, printed where the operator chooses. When there is no printer or the job fails the
// operator is told so and may save the pages as a PDF file instead; nothing fails silently.

#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QPoint;
class QPrinter;
class QRegion;
class QWidget;

namespace qx7 {

// Printer pixels per screen pixel: a screen pixel keeps its size on paper.
double Escala_Da_Tela(const QPrinter& impressora);

// Draws the `origem` part of the widget (its own coordinates) at `destino` of the painter, as
// text and lines, also on a printer.
void Desenhar_Widget(QPainter& pintor, QWidget& widget, QPoint destino, const QRegion& origem);

// Draws the window's client area on one page: at its size on the screen, reduced to fit the
// printable area when larger. False when the printer could not be opened or the job failed.
// Also the default Desenho of Imprimir_Janela.
bool Desenhar_Janela(QWidget& janela, QPrinter& impressora);

// Draws a whole print job on the printer; false when it failed.
using Desenho = std::function<bool(QPrinter& impressora)>;

enum class Resultado_Impressao { Impresso, Salvo_Em_Pdf, Desistiu, Falhou };

// Where printing meets the system and the operator; the defaults use the real printer and
// modal dialogs, tests put their own in.
struct Meios_Impressao {
    // The default printer, or nothing when the system has none.
    std::function<std::unique_ptr<QPrinter>()> Impressora_Padrao;
    // Shows why printing failed and asks whether to save a PDF instead.
    std::function<bool(QWidget& janela, const QString& motivo)> Oferecer_Pdf;
    // The path of the PDF file; empty when the operator gives up.
    std::function<QString(QWidget& janela)> Escolher_Arquivo_Pdf;
    // Tells the operator that the PDF file could not be written.
    std::function<void(QWidget& janela, const QString& motivo)> Avisar;
    // Shows the job's pages on the printer's page size, with the choice of printer and a
    // button that prints: Impresso, Desistiu when closed unprinted, Falhou when the job failed.
    std::function<Resultado_Impressao(QWidget& janela, QPrinter& impressora,
                                      const Desenho& desenhar)>
        Visualizar;
};

Meios_Impressao Meios_Do_Sistema();

inline const QString Sem_Impressora = QStringLiteral("Não há impressora disponível.");
inline const QString Impressao_Falhou = QStringLiteral("A impressão falhou.");
inline const QString Pdf_Falhou = QStringLiteral("Não foi possível gravar o arquivo PDF.");

// `desenhar` empty: the window on one page (Desenhar_Janela).
Resultado_Impressao Imprimir_Janela(QWidget& janela,
                                    const Meios_Impressao& meios = Meios_Do_Sistema(),
                                    Desenho desenhar = {});

// A report of several pages: previewed first when there is a printer, offered as a PDF file
// when there is none or the job failed. Desistiu also when the preview was closed unprinted.
Resultado_Impressao Imprimir_Relatorio(QWidget& janela, const Meios_Impressao& meios,
                                       const Desenho& desenhar,
                                       QPageLayout::Orientation orientacao);

}  // namespace qx7
