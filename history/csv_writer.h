#pragma once
// CSV files of one table each, written row by row as they go. Two forms: for spreadsheets under
// a regional setting (`;` between fields where the decimal separator is a comma, `,` elsewhere;
// UTF-8 with a byte-order mark so the accents survive) and a fixed one for programs (`,` and
// `.` whatever the setting, no byte-order mark). Both quote per RFC 4180, end lines with CRLF
// and keep text that a spreadsheet would run as a formula as text, with a leading apostrophe.

#include <QChar>
#include <QIODevice>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace qx7 {

struct Formato_Csv {
    QChar separador = QLatin1Char(',');
    QChar decimal = QLatin1Char('.');
    QChar menos = QLatin1Char('-');
    // For spreadsheets: a UTF-8 byte-order mark before the header, and whatever else a file of
    // that form adds for people (the readings' local time).
    bool planilha = false;
};

Formato_Csv Formato_Planilha(const QLocale& local);
Formato_Csv Formato_Maquina();

// A text field as written: after an apostrophe when it starts as a formula would (=, +, -, @,
// tab, CR); quoted, with its quotes doubled, when it holds the separator, a quote, CR or LF.
QString Campo_Csv(const QString& texto, QChar separador);

class Escritor_Csv {
  public:
    Escritor_Csv(QIODevice& saida, const Formato_Csv& formato);

    const Formato_Csv& Formato() const { return formato_; }
    // The table's first row, after the byte-order mark of its form.
    void Cabecalho(const QStringList& titulos);
    void Texto(const QString& texto);
    // A number as the form reads it: its decimal point and minus sign, no group separators, no
    // exponent. `casas` < 0: as few digits as give the same value back.
    void Numero(double valor, int casas = -1);
    void Numero(qint64 valor);
    // An empty field when there is no number.
    void Numero(const std::optional<double>& valor, int casas = -1);
    void Fim_Linha();
    // Writes what is still held; false once a write to the device fell short.
    bool Concluir();
    bool Falhou() const { return falhou_; }

  private:
    void Iniciar_Campo();
    void Acrescentar_Ascii(const char* inicio, const char* fim);
    void Descarregar();

    QIODevice& saida_;
    Formato_Csv formato_;
    QString pendente_;  // rows not yet written, converted to UTF-8 a block at a time
    bool primeiro_campo_ = true;
    bool falhou_ = false;
};

}  // namespace qx7
