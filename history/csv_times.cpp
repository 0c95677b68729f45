#include "history/csv_times.h"

#include <QDate>
#include <QDateTime>
#include <array>

namespace qx7 {

namespace {

constexpr qint64 Quarto_Ms = 15 * 60 * 1000;
constexpr qint64 Dia_Ms = 24 * 60 * 60 * 1000;
constexpr qint64 Julian_1970 = 2440588;  // the Julian day of 1970-01-01
constexpr int Maior_Ano = 9999;          // four digits

qint64 Piso(qint64 a, qint64 b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

// "yyyy-MM-dd" + `meio` + "HH:mm:ss" + `fim` of a time already in the zone wanted.
QString Formatar(qint64 ms, char meio, const char* fim) {
    const qint64 dia = Piso(ms, Dia_Ms);
    const qint64 segundo_do_dia = (ms - dia * Dia_Ms) / 1000;
    int ano = 0;
    int mes = 0;
    int dia_mes = 0;
    QDate::fromJulianDay(Julian_1970 + dia).getDate(&ano, &mes, &dia_mes);
    if (ano < 0 || ano > Maior_Ano) {
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)
            .toString(QStringLiteral("yyyy-MM-dd") + QLatin1Char(meio) +
                      QStringLiteral("HH:mm:ss") + QLatin1String(fim));
    }
    std::array<char, 32> t{};
    const auto dois = [&t](std::size_t i, int v) {
        t[i] = static_cast<char>('0' + v / 10);
        t[i + 1] = static_cast<char>('0' + v % 10);
    };
    dois(0, ano / 100);
    dois(2, ano % 100);
    t[4] = '-';
    dois(5, mes);
    t[7] = '-';
    dois(8, dia_mes);
    t[10] = meio;
    dois(11, static_cast<int>(segundo_do_dia / 3600));
    t[13] = ':';
    dois(14, static_cast<int>(segundo_do_dia / 60 % 60));
    t[16] = ':';
    dois(17, static_cast<int>(segundo_do_dia % 60));
    return QLatin1String(t.data(), 19) + QLatin1String(fim);
}

}  // namespace

QString Relogio_Csv::Local(qint64 instante_ms) {
    const qint64 quarto = Piso(instante_ms, Quarto_Ms);
    if (quarto != quarto_) {
        quarto_ = quarto;
        deslocamento_ms_ =
            1000LL * QDateTime::fromMSecsSinceEpoch(quarto * Quarto_Ms).offsetFromUtc();
    }
    return Formatar(instante_ms + deslocamento_ms_, ' ', "");
}

QString Relogio_Csv::Utc(qint64 instante_ms) {
    return Formatar(instante_ms, 'T', "+00:00");
}

QString Data_Medidor_Iso(const QString& texto) {
    const auto digitos = [&texto](int i) {
        const int a = texto[i].digitValue();
        const int b = texto[i + 1].digitValue();
        return a < 0 || b < 0 ? -1 : 10 * a + b;
    };
    if (texto.size() != 8 || texto[2] != QLatin1Char('/') || texto[5] != QLatin1Char('/')) {
        return {};
    }
    // Two-digit years are of this century, as the clock's drift reads them.
    const QDate data(2000 + digitos(6), digitos(3), digitos(0));
    return digitos(6) >= 0 && data.isValid() ? data.toString(Qt::ISODate) : QString();
}

}  // namespace qx7
