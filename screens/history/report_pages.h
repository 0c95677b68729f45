#pragma once
// The history's reports on paper: on every page the report's title and heading lines (station,
// period), then its tables, each with its header row again on every page it spans, an optional
// figure (the chart) on the first page, and "Página k de N" at the foot. Rows are read as
// their pages are drawn, so a long period never sits in memory; each row is one line, its
// texts cut short where they do not fit their column.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QRectF;

namespace qx7 {

// Gives a table's rows in order, one per call; false after the last.
using Leitor_Linhas = std::function<bool(QStringList& linha)>;

struct Tabela_Relatorio {
    QString titulo;  // above the table; may be empty
    QStringList cabecalho;
    std::vector<double> larguras;  // one per column, relative
    std::vector<bool> a_direita;   // numbers are aligned right; one per column
    qint64 linhas = 0;
    // Called once for each drawing of the report: the preview draws it again on every change.
    std::function<Leitor_Linhas()> abrir;
};

struct Relatorio {
    QString titulo;
    QStringList cabecalho;  // "Estação: …", "Período: …"
    // Drawn on the first page, below the heading, within the rectangle it is given.
    std::function<void(QPainter& pintor, const QRectF& area)> figura;
    std::vector<Tabela_Relatorio> tabelas;
    bool paisagem = false;  // wide tables read better across the page
};

// False when the printer could not be opened or the job failed.
bool Desenhar_Relatorio(const Relatorio& relatorio, QPrinter& impressora);

}  // namespace qx7
