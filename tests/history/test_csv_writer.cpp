// CSV for spreadsheets: the separator follows the regional setting's decimal point, fields are
// quoted per RFC 4180, one byte-order mark leads the whole file.
#include <gtest/gtest.h>

#include <QBuffer>

#include "history/csv_writer.h"

namespace qx7 {
namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

struct Caso_Local {
    const char* nome;
    QLocale local;
    char separador;
    const char* numero;       // 1234567.25 as written
    const char* negativo;     // -0.5
    const char* dois_tercos;  // 2/3 with two places
    const char* linha;        // 1.5 and "x" as a row
};

class Separadores : public ::testing::TestWithParam<Caso_Local> {};

TEST_P(Separadores, SeparadorENumeroDoLocal) {
    const Caso_Local& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Locais, Separadores,
    ::testing::Values(Caso_Local{"pt_BR", QLocale(QLocale::Portuguese, QLocale::Brazil), ';',
                                 "1234567,25", "-0,5", "0,67", "1,5;x"},
                      Caso_Local{"en_US", QLocale(QLocale::English, QLocale::UnitedStates), ',',
                                 "1234567.25", "-0.5", "0.67", "1.5,x"},
                      Caso_Local{"de_DE", QLocale(QLocale::German, QLocale::Germany), ';',
                                 "1234567,25", "-0,5", "0,67", "1,5;x"},
                      Caso_Local{"C", QLocale::c(), ',', "1234567.25", "-0.5", "0.67", "1.5,x"}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Caso_Campo {
    const char* nome;
    const char* campo;
    char separador;
    const char* escrito;
};

class Citacao : public ::testing::TestWithParam<Caso_Campo> {};

TEST_P(Citacao, CitaSoQuandoPreciso) {
    const Caso_Campo& c = GetParam();
    EXPECT_EQ(Campo_Csv(QString::fromUtf8(c.campo), QLatin1Char(c.separador)),
              QString::fromUtf8(c.escrito));
}

INSTANTIATE_TEST_SUITE_P(
    Campos, Citacao,
    ::testing::Values(Caso_Campo{"simples", "GASOLINA", ';', "GASOLINA"},
                      Caso_Campo{"acentos", "ÓLEO AÇÃO", ';', "ÓLEO AÇÃO"},
                      Caso_Campo{"vazio", "", ';', ""},
                      Caso_Campo{"ponto_e_virgula", "a;b", ';', "\"a;b\""},
                      Caso_Campo{"virgula_com_ponto_e_virgula", "a,b", ';', "a,b"},
                      Caso_Campo{"virgula", "a,b", ',', "\"a,b\""},
                      Caso_Campo{"ponto_e_virgula_com_virgula", "a;b", ',', "a;b"},
                      Caso_Campo{"aspas", "diz \"oi\"", ',', "\"diz \"\"oi\"\"\""},
                      Caso_Campo{"cr", "a\rb", ',', "\"a\rb\""},
                      Caso_Campo{"lf", "a\nb", ';', "\"a\nb\""},
                      Caso_Campo{"crlf", "a\r\nb", ';', "\"a\r\nb\""},
                      Caso_Campo{"espacos", " a b ", ';', " a b "}),
    [](const auto& info) { return std::string(info.param.nome); });

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
