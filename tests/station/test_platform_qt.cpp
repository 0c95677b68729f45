// The event loop, clock and separator the link reaches through the station's platform.

#include <gtest/gtest.h>
#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

#include "station/platform_qt.h"
#include "text/decimal_separator.h"

namespace qx7::teste {
namespace {

TEST(Plataforma_Qt, Data_Hora_E_Separador_Do_Sistema) {
    Plataforma_Qt plataforma;
    EXPECT_EQ(QString::fromLatin1(plataforma.Data_Atual()),
              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\\d{1,2}\\D\\d{2}\\D\\d{2}"))
                    .match(QString::fromLatin1(plataforma.Hora_Atual()))
                    .hasMatch())
        << plataforma.Hora_Atual();
    const Separador_Decimal_Fixo virgula(',');
    EXPECT_EQ(plataforma.Separador_Decimal(), ',');
}

TEST(Plataforma_Qt, Processar_Eventos_Roda_O_Que_Espera) {
    Plataforma_Qt plataforma;
    bool rodou = false;
    QTimer::singleShot(0, [&rodou] { rodou = true; });
    plataforma.Processar_Eventos();
    EXPECT_TRUE(rodou);
}

}  // namespace
}  // namespace qx7::teste
