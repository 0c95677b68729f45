// CSV for spreadsheets: the separator follows the regional setting's decimal point, fields are
// quoted per RFC 4180, one byte-order mark leads the whole file.
#include <gtest/gtest.h>

#include <QBuffer>

#include "history/csv_writer.h"

namespace qx7 {
namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

TEST(Escritor_Csv, SeparadorENumeroDoLocal) {
    const struct {
        QLocale local;
        char separador;
        const char* numero;       // 1234567.25 as written
        const char* negativo;     // -0.5
        const char* dois_tercos;  // 2/3 with two places
        const char* linha;        // 1.5 and "x" as a row
    } casos[] = {
        {QLocale(QLocale::Portuguese, QLocale::Brazil), ';', "1234567,25", "-0,5", "0,67", "1,5;x"},
        {QLocale(QLocale::English, QLocale::UnitedStates), ',', "1234567.25", "-0.5", "0.67",
         "1.5,x"},
        {QLocale(QLocale::German, QLocale::Germany), ';', "1234567,25", "-0,5", "0,67", "1,5;x"},
        {QLocale::c(), ',', "1234567.25", "-0.5", "0.67", "1.5,x"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.local.name().toStdString());
        QBuffer buffer;
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        Escritor_Csv csv(buffer, c.local);
        EXPECT_EQ(Separador_Csv(c.local), QLatin1Char(c.separador));
        EXPECT_EQ(csv.Separador(), QLatin1Char(c.separador));
        EXPECT_EQ(csv.Numero(1234567.25), QString::fromLatin1(c.numero));
        EXPECT_EQ(csv.Numero(-0.5), QString::fromLatin1(c.negativo));
        EXPECT_EQ(csv.Numero(qint64{1234567}), QStringLiteral("1234567"));
        EXPECT_EQ(csv.Numero(2.0 / 3.0, 2), QString::fromLatin1(c.dois_tercos));
        EXPECT_EQ(csv.Numero(1e15), QStringLiteral("1000000000000000"));  // no exponent

        csv.Iniciar_Tabela({QStringLiteral("A"), QStringLiteral("B")});
        csv.Escrever_Linha({csv.Numero(1.5), QStringLiteral("x")});
        EXPECT_EQ(buffer.data(), Bom + "A" + c.separador + "B\r\n" + c.linha + "\r\n");
    }
}

TEST(Escritor_Csv, CitaSoQuandoPreciso) {
    const struct {
        const char* campo;
        char separador;
        const char* escrito;
    } casos[] = {
        {"GASOLINA", ';', "GASOLINA"},
        {"ÓLEO AÇÃO", ';', "ÓLEO AÇÃO"},
        {"", ';', ""},
        {"a;b", ';', "\"a;b\""},
        {"a,b", ';', "a,b"},
        {"a,b", ',', "\"a,b\""},
        {"a;b", ',', "a;b"},
        {"diz \"oi\"", ',', "\"diz \"\"oi\"\"\""},
        {"a\rb", ',', "\"a\rb\""},
        {"a\nb", ';', "\"a\nb\""},
        {"a\r\nb", ';', "\"a\r\nb\""},
        {" a b ", ';', " a b "},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        EXPECT_EQ(Campo_Csv(QString::fromUtf8(c.campo), QLatin1Char(c.separador)),
                  QString::fromUtf8(c.escrito));
    }
}

TEST(Escritor_Csv, VariasTabelasUmSoBom) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    Escritor_Csv csv(buffer, QLocale(QLocale::Portuguese, QLocale::Brazil));
    csv.Iniciar_Tabela({QStringLiteral("Produto"), QStringLiteral("Variação")});
    csv.Escrever_Linha({QStringLiteral("DIESEL; S10"), csv.Numero(-12.5)});
    csv.Iniciar_Tabela({QStringLiteral("Tanque")});
    csv.Escrever_Linha({QStringLiteral("3")});
    csv.Iniciar_Tabela({QStringLiteral("Vazia")});
    EXPECT_FALSE(csv.Falhou());
    EXPECT_EQ(buffer.data(), Bom + QStringLiteral("Produto;Variação\r\n"
                                                  "\"DIESEL; S10\";-12,5\r\n"
                                                  "\r\n"
                                                  "Tanque\r\n"
                                                  "3\r\n"
                                                  "\r\n"
                                                  "Vazia\r\n")
                                       .toUtf8());
    EXPECT_EQ(buffer.data().count(Bom), 1);
}

TEST(Escritor_Csv, EscritaRecusadaFicaRegistrada) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    Escritor_Csv csv(buffer, QLocale::c());
    EXPECT_FALSE(csv.Falhou());
    csv.Iniciar_Tabela({QStringLiteral("A")});
    EXPECT_TRUE(csv.Falhou());
}

}  // namespace
}  // namespace qx7
