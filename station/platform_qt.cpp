#include "station/platform_qt.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>

#include "text/decimal_separator.h"
#include "text/qt_1252.h"

namespace qx7 {

Plataforma_Qt::Plataforma_Qt(QObject* parent) : QObject(parent) {
    despertador_.setSingleShot(true);
    despertador_.setTimerType(Qt::PreciseTimer);
}

void Plataforma_Qt::Processar_Eventos() {
    QCoreApplication::processEvents();
}

// The single-shot wakes the loop when no event comes within ms_max. This is the transmit wait,
// with RTS raised: no click may open a modal screen inside it and hold RTS up behind it.
void Plataforma_Qt::Aguardar_Eventos(int ms_max) {
    despertador_.start(std::max(ms_max, 0));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                    QEventLoop::ExcludeUserInputEvents);
    despertador_.stop();
}

void Plataforma_Qt::Pausa_ms(int ms) {
    QThread::msleep(static_cast<unsigned long>(std::max(ms, 0)));
}

std::string Plataforma_Qt::Data_Atual() {
    return Para_1252(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

// The system's time format with seconds, as the clock on the panel shows them; Qt's long
// format adds the time zone, which the clock leaves out.
std::string Plataforma_Qt::Hora_Atual() {
    QString formato = QLocale::system().timeFormat(QLocale::LongFormat);
    formato.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return Para_1252(QLocale::system().toString(QTime::currentTime(), formato.trimmed()));
}

char Plataforma_Qt::Separador_Decimal() const {
    return qx7::Separador_Decimal();
}

}  // namespace qx7
