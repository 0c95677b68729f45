#pragma once
// Times as the readings' CSV files write them, at the rate an export of a year needs (1.7
// million rows): the computer's local time, the same instant in UTC (ISO 8601) and the gauge's
// date in the one form no region misreads.

#include <QString>
#include <QtGlobal>
#include <limits>

namespace qx7 {

class Relogio_Csv {
  public:
    // "2024-03-05 14:07:09", the computer's local time.
    QString Local(qint64 instante_ms);
    // "2024-03-05T17:07:09+00:00".
    static QString Utc(qint64 instante_ms);

  private:
    // The local offset changes only on a quarter hour: it is looked up once per quarter.
    qint64 quarto_ = std::numeric_limits<qint64>::min();
    qint64 deslocamento_ms_ = 0;
};

// The gauge's "dd/MM/yy" as "20yy-MM-dd"; empty when it is no date.
QString Data_Medidor_Iso(const QString& texto);

}  // namespace qx7
