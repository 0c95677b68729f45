#pragma once
// What the history window asks of each of its tabs: show the file's content again, write what
// it shows as CSV files and as a report on paper. A tab reads the file the window has open: the
// program's history, or a file moved aside or backed up that the operator chose.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "screens/history/report_pages.h"
#include "screens/history/table_csv.h"

class QSqlDatabase;

namespace qx7 {

class Aba_Historico : public QWidget {
    Q_OBJECT

  public:
    Aba_Historico(QString arquivo, QWidget* parent)
        : QWidget(parent), arquivo_(std::move(arquivo)) {}

    // The file read from now on; the window reads it again afterwards.
    void Definir_Arquivo(const QString& arquivo) { arquivo_ = arquivo; }

    // Reads again over the window's connection; nullptr: there is no history to read.
    virtual void Atualizar(QSqlDatabase* banco) = 0;
    // False, and `erro` in Portuguese, when a file could not be written. By default the tables
    // in view, one file each.
    virtual bool Exportar_Csv(const QString& caminho, QString& erro);
    // The report's title, heading lines and tables; by default the tables in view.
    virtual Relatorio Montar_Relatorio() const;

  protected:
    // The tables the tab shows now, the main one first.
    virtual std::vector<Tabela_Aba> Tabelas() const { return {}; }
    virtual QString Titulo() const = 0;
    // Reads again over a connection of its own, when the tab's own choices change.
    void Reler();
    const QString& Arquivo() const { return arquivo_; }

  private:
    QString arquivo_;
};

}  // namespace qx7
