#pragma once
// Printing a screen whose table holds more rows than it shows: the table's rows on as many
// pages as they need, each with the screen's caption, the page number and the header row.
// A table whose rows are all in view prints as the window itself.

class QPrinter;
class QWidget;

namespace qx7 {

class Grade;

// `linhas`: the data rows to print, from row 1. False when the job failed.
bool Desenhar_Em_Paginas(QWidget& janela, Grade& grade, int linhas, QPrinter& impressora);

}  // namespace qx7
