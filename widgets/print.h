#pragma once
// Printing a screen: its client area drawn by its own widgets onto the default printer's
// page (sharp, searchable text), with no dialog. When there is no printer or the job fails the
// operator is told so and may save the page as a PDF file instead; nothing fails silently.

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
};

Meios_Impressao Meios_Do_Sistema();

// Draws a whole print job on the printer; false when it failed.
using Desenho = std::function<bool(QPrinter& impressora)>;

enum class Resultado_Impressao { Impresso, Salvo_Em_Pdf, Desistiu, Falhou };

inline const QString Sem_Impressora = QStringLiteral("Não há impressora disponível.");
inline const QString Impressao_Falhou = QStringLiteral("A impressão falhou.");
inline const QString Pdf_Falhou = QStringLiteral("Não foi possível gravar o arquivo PDF.");

// `desenhar` empty: the window on one page (Desenhar_Janela).
Resultado_Impressao Imprimir_Janela(QWidget& janela,
                                    const Meios_Impressao& meios = Meios_Do_Sistema(),
                                    Desenho desenhar = {});

}  // namespace qx7
