#pragma once
// The cells of the history's small tables: each shows its text in the operator's format and,
// for numbers, keeps the value itself for the CSV export.

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QStandardItem;
class QStandardItemModel;
class QTableView;
class QWidget;

namespace qx7 {

// Where a number cell keeps its value, and a time cell its computer time.
inline constexpr int Papel_Numero = Qt::UserRole + 1;
inline constexpr int Papel_Instante = Qt::UserRole + 2;

// Local date and time of a computer time.
QString Texto_Instante(qint64 instante_ms);
// Shortest form, at most three decimals, with the regional separators.
QString Texto_Numero(double valor);

QStandardItem* Celula_Texto(const QString& texto);
QStandardItem* Celula_Numero(double valor);
QStandardItem* Celula_Instante(qint64 instante_ms);

// A read-only table of whole rows over `modelo`, whose header row is `cabecalho`.
void Preparar_Tabela(QTableView& tabela, QStandardItemModel& modelo, const QStringList& cabecalho);
// One line of text and a little room.
int Altura_Linha(const QWidget& tabela);
// Removes the rows, keeps the header.
void Esvaziar(QStandardItemModel& modelo);

}  // namespace qx7
