#pragma once
// CSV as spreadsheets read it under a regional setting: `;` between fields where the decimal
// separator is a comma, `,` elsewhere; RFC 4180 quoting; UTF-8 with one byte-order mark at the
// start so the accents survive; CRLF line ends. Written as it goes, one row at a time.

#include <QChar>
#include <QIODevice>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace qx7 {

QChar Separador_Csv(const QLocale& local);
// The field as written: quoted, with its quotes doubled, when it holds the separator, a quote,
// CR or LF.
QString Campo_Csv(const QString& campo, QChar separador);

class Escritor_Csv {
  public:
    Escritor_Csv(QIODevice& saida, const QLocale& local);

    QChar Separador() const { return separador_; }
    // A table starts with its header; tables after the first are set apart by a blank line.
    void Iniciar_Tabela(const QStringList& cabecalho);
    void Escrever_Linha(const QStringList& campos);
    // A number as the spreadsheet of the same setting reads it: its decimal point, no group
    // separators, no exponent. `casas` < 0: as few digits as give the same value back.
    QString Numero(double valor, int casas = -1) const;
    QString Numero(qint64 valor) const;
    // True once a write to the device fell short.
    bool Falhou() const { return falhou_; }

  private:
    void Escrever(const QString& texto);

    QIODevice& saida_;
    QLocale local_;
    QChar separador_;
    int tabelas_ = 0;
    bool falhou_ = false;
};

}  // namespace qx7
