// CSV for spreadsheets and for programs: the separator, decimal point and minus sign of the
// form, RFC 4180 quoting, text that would run as a formula kept as text while numbers stay
// numbers, and one byte-order mark at the start of the spreadsheet form only.
#include <gtest/gtest.h>

#include <QBuffer>

#include "history/csv_writer.h"

namespace qx7 {
namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// One header and one row of the numbers and a text, as the writer writes them.
QByteArray Escrever(const Formato_Csv& formato) {
    QBuffer buffer;
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly));
    Escritor_Csv csv(buffer, formato);
    csv.Cabecalho({QStringLiteral("A"), QStringLiteral("B")});
    csv.Numero(1234567.25);
    csv.Numero(-0.5);
    csv.Numero(qint64{-1234567});
    csv.Numero(2.0 / 3.0, 2);
    csv.Numero(1e15);  // no exponent
    csv.Numero(std::optional<double>{});
    csv.Texto(QStringLiteral("-x"));
    csv.Fim_Linha();
    EXPECT_TRUE(csv.Concluir());
    return buffer.data();
}

TEST(Escritor_Csv, FormaDaRegiaoEFormaParaProgramas) {
    const struct {
        const char* nome;
        Formato_Csv formato;
        const char* linhas;  // after the byte-order mark, if any
        bool bom;
    } casos[] = {
        {"pt_BR", Formato_Planilha(QLocale(QLocale::Portuguese, QLocale::Brazil)),
         "A;B\r\n1234567,25;-0,5;-1234567;0,67;1000000000000000;;'-x\r\n", true},
        {"de_DE", Formato_Planilha(QLocale(QLocale::German, QLocale::Germany)),
         "A;B\r\n1234567,25;-0,5;-1234567;0,67;1000000000000000;;'-x\r\n", true},
        {"en_US", Formato_Planilha(QLocale(QLocale::English, QLocale::UnitedStates)),
         "A,B\r\n1234567.25,-0.5,-1234567,0.67,1000000000000000,,'-x\r\n", true},
        {"C", Formato_Planilha(QLocale::c()),
         "A,B\r\n1234567.25,-0.5,-1234567,0.67,1000000000000000,,'-x\r\n", true},
        {"programas", Formato_Maquina(),
         "A,B\r\n1234567.25,-0.5,-1234567,0.67,1000000000000000,,'-x\r\n", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Escrever(c.formato), (c.bom ? Bom : QByteArray()) + c.linhas);
    }
}

TEST(Escritor_Csv, TextoCitadoENeutralizado) {
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
        {"diz \"oi\"", ',', "\"diz \"\"oi\"\"\""},
        {"a\nb", ';', "\"a\nb\""},
        {" a b ", ';', " a b "},
        // What a spreadsheet would run: kept as text.
        {"=1+1", ';', "'=1+1"},
        {"+55 11", ';', "'+55 11"},
        {"-2", ';', "'-2"},
        {"@SUM(A1)", ';', "'@SUM(A1)"},
        {"\tx", ';', "'\tx"},
        {"\rx", ';', "\"'\rx\""},
        {"=A1;B1", ';', "\"'=A1;B1\""},
        {"x=1", ';', "x=1"},
        {"'=1", ';', "'=1"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        EXPECT_EQ(Campo_Csv(QString::fromUtf8(c.campo), QLatin1Char(c.separador)),
                  QString::fromUtf8(c.escrito));
    }
}

// Rows are held and written a block at a time: every byte arrives, in order, across blocks.
TEST(Escritor_Csv, LinhasAtravesDeBlocos) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    Escritor_Csv csv(buffer, Formato_Maquina());
    QByteArray esperado;
    for (qint64 i = 0; i < 20000; ++i) {
        csv.Numero(i);
        csv.Texto(QStringLiteral("Ç"));
        csv.Fim_Linha();
        esperado += QByteArray::number(i) + ",Ç\r\n";
    }
    EXPECT_TRUE(csv.Concluir());
    EXPECT_EQ(buffer.data(), esperado);
}

TEST(Escritor_Csv, EscritaRecusadaFicaRegistrada) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    Escritor_Csv csv(buffer, Formato_Maquina());
    csv.Cabecalho({QStringLiteral("A")});
    EXPECT_FALSE(csv.Concluir());
    EXPECT_TRUE(csv.Falhou());
}

}  // namespace
}  // namespace qx7
