#include "screens/history/table_cells.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QStandardItemModel>
#include <QTableView>
#include <cmath>

namespace qx7 {

QString Texto_Instante(qint64 instante_ms) {
    return QDateTime::fromMSecsSinceEpoch(instante_ms)
        .toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QString Texto_Numero(double valor) {
    // Sums of parsed decimals carry binary noise beyond what the gauge sent.
    const double arredondado = std::round(valor * 1000.0) / 1000.0;
    return QLocale().toString(arredondado, 'f', QLocale::FloatingPointShortest);
}

QStandardItem* Celula_Texto(const QString& texto) {
    auto* celula = new QStandardItem(texto);
    celula->setEditable(false);
    return celula;
}

QStandardItem* Celula_Numero(double valor) {
    QStandardItem* celula = Celula_Texto(Texto_Numero(valor));
    celula->setData(valor, Papel_Numero);
    celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return celula;
}

QStandardItem* Celula_Instante(qint64 instante_ms) {
    QStandardItem* celula = Celula_Texto(Texto_Instante(instante_ms));
    celula->setData(instante_ms, Papel_Instante);
    return celula;
}

void Preparar_Tabela(QTableView& tabela, QStandardItemModel& modelo, const QStringList& cabecalho) {
    modelo.setHorizontalHeaderLabels(cabecalho);
    tabela.setModel(&modelo);
    tabela.setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela.setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela.verticalHeader()->hide();
    tabela.verticalHeader()->setDefaultSectionSize(Altura_Linha(tabela));
    tabela.setWordWrap(false);
    // An empty table shows its headings whole.
    tabela.resizeColumnsToContents();
    // Rows appended to a shown table do not lay its columns out again by themselves.
    QObject::connect(&modelo, &QAbstractItemModel::rowsInserted, &tabela,
                     [&tabela] { tabela.resizeColumnsToContents(); });
}

int Altura_Linha(const QWidget& tabela) {
    return tabela.fontMetrics().height() + 6;
}

void Esvaziar(QStandardItemModel& modelo) {
    modelo.removeRows(0, modelo.rowCount());
}

}  // namespace qx7
