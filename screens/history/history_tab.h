#pragma once
// What the history window asks of each of its tabs: show the file's content again, and write
// what it shows as a CSV file.

#include <QString>
#include <QWidget>

class QSqlDatabase;

namespace qx7 {

class Aba_Historico : public QWidget {
    Q_OBJECT

  public:
    Aba_Historico(QString arquivo, QWidget* parent)
        : QWidget(parent), arquivo_(std::move(arquivo)) {}

    // Reads again over the window's connection; nullptr: there is no history to read.
    virtual void Atualizar(QSqlDatabase* banco) = 0;
    // False, and `erro` in Portuguese, when the file could not be written.
    virtual bool Exportar_Csv(const QString& caminho, QString& erro) = 0;

  protected:
    // Reads again over a connection of its own, when the tab's own choices change.
    void Reler();
    const QString& Arquivo() const { return arquivo_; }

  private:
    QString arquivo_;
};

}  // namespace qx7
