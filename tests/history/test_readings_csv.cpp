// The readings export: the file exactly as spreadsheets and programs read it, every row once
// and in order across pages, and a failed export leaves the destination as it was.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "history/csv_times.h"
#include "history/reader.h"
#include "history/readings_csv.h"
#include "tests/support/history/history_fixture.h"

namespace qx7 {
namespace {

using teste::Historico_Teste;
using teste::Leitura_Teste;

const Formato_Csv Brasil = Formato_Planilha(QLocale(QLocale::Portuguese, QLocale::Brazil));

class Exportacao : public ::testing::Test {
  protected:
    std::optional<qint64> Exportar(const Filtro_Leituras& filtro, const QString& destino,
                                   QString& erro, const Formato_Csv& formato = Brasil) {
        Leitor_Historico leitor(historico_.Arquivo());
        EXPECT_TRUE(leitor.Aberto()) << leitor.Erro().toStdString();
        return Exportar_Leituras_Csv(leitor.Banco(), filtro, destino, formato, erro);
    }
    QByteArray Conteudo(const QString& caminho) {
        QFile f(caminho);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    QString Destino() const { return pasta_.filePath(QStringLiteral("leituras.csv")); }

    Historico_Teste historico_;
    QTemporaryDir pasta_;
};

QString Utc(qint64 instante_ms) {
    return QDateTime::fromMSecsSinceEpoch(instante_ms, Qt::UTC)
               .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QStringLiteral("+00:00");
}

TEST_F(Exportacao, PlanilhaComHoraLocalEUtc) {
    const qint64 instante = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)).toMSecsSinceEpoch();
    Leitura_Teste l{.instante_ms = instante,
                    .tanque = 12,
                    .produto = QStringLiteral("ÓLEO; \"S10\""),
                    .medido = 1000.5,
                    .complementar = 3001.5,
                    .capacidade = 4002,
                    .comando = QStringLiteral("LM"),
                    .texto_hora = QStringLiteral("14:06"),
                    .texto_data = QStringLiteral("05/03/24")};
    historico_.Inserir_Leitura(l);
    l.instante_ms = instante + 1000;
    l.produto = QStringLiteral("=HYPERLINK(\"x\")");
    l.medido.reset();  // the gauge sent no number
    historico_.Inserir_Leitura(l);

    QString erro;
    ASSERT_EQ(Exportar({0, instante + 60'000, {}}, Destino(), erro), 2) << erro.toStdString();
    EXPECT_EQ(Conteudo(Destino()),
              QStringLiteral("\uFEFFData e hora do computador;Instante UTC;Endereço;Comando;"
                             "Tanque;Produto;Densidade;Capacidade;Medido;Complementar;Unidade;"
                             "Percentual;Hora do medidor;Data do medidor\r\n"
                             "2024-03-05 14:07:09;%1;01;LM;12;\"ÓLEO; \"\"S10\"\"\";0,75;4002;"
                             "1000,5;3001,5;V;25,00;14:06;05/03/24\r\n"
                             // nothing measured: no number, no percentage; a formula as text
                             "2024-03-05 14:07:10;%2;01;LM;12;\"'=HYPERLINK(\"\"x\"\")\";0,75;"
                             "4002;;3001,5;V;;14:06;05/03/24\r\n")
                  .arg(Utc(instante), Utc(instante + 1000))
                  .toUtf8());
}

TEST_F(Exportacao, FormaParaProgramas) {
    constexpr qint64 Instante = 1'709'647'629'250;  // 2024-03-05 14:07:09.25 UTC
    historico_.Inserir_Leitura({.instante_ms = Instante,
                                .tanque = 3,
                                .medido = 1234.5,
                                .complementar = -0.25,
                                .texto_hora = QStringLiteral("14:06:00"),
                                .texto_data = QStringLiteral("05/03/24")});
    historico_.Inserir_Leitura({.instante_ms = Instante + 300'000,
                                .tanque = 4,
                                .complementar = std::nullopt,
                                .texto_data = QStringLiteral("31/02/24")});  // no such day
    QString erro;
    ASSERT_EQ(Exportar({0, Instante + 600'000, {}}, Destino(), erro, Formato_Maquina()), 2)
        << erro.toStdString();
    EXPECT_EQ(Conteudo(Destino()),
              QByteArray("instante_utc,endereco,comando,tanque,produto,densidade,capacidade,"
                         "medido,complementar,unidade,percentual,hora_medidor,data_medidor\r\n"
                         "2024-03-05T14:07:09+00:00,01,MT,3,GASOLINA,0.75,4000,1234.5,-0.25,V,"
                         "100.02,14:06:00,2024-03-05\r\n"
                         "2024-03-05T14:12:09+00:00,01,MT,4,GASOLINA,0.75,4000,1000,,V,,10:00,"
                         "\r\n"));
}

TEST_F(Exportacao, TodasAsLinhasUmaVezEmOrdemAtravesDasPaginas) {
    // Many rows share an instant, so pages end in the middle of a run of equal times.
    constexpr int total = 4500;
    ASSERT_TRUE(historico_.Banco().transaction());
    for (int i = 0; i < total; ++i) {
        historico_.Inserir_Leitura({.instante_ms = 1000 + i / 7, .tanque = 1 + i % 3, .medido = i});
    }
    ASSERT_TRUE(historico_.Banco().commit());

    QString erro;
    const auto escritas =
        Exportar({1000, 1000 + total, {1, 2}}, Destino(), erro, Formato_Maquina());
    QStringList esperados{QStringLiteral("medido")};
    for (int i = 0; i < total; ++i) {
        if (i % 3 != 2) {
            esperados << QString::number(i);
        }
    }
    EXPECT_EQ(escritas, esperados.size() - 1) << erro.toStdString();
    QStringList medidos;
    for (const QString& linha :
         QString::fromUtf8(Conteudo(Destino())).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        medidos << linha.section(QLatin1Char(','), 7, 7);
    }
    EXPECT_EQ(medidos, esperados);
}

TEST_F(Exportacao, DestinoImpossivelDaErroEmPortugues) {
    QFile arquivo(pasta_.filePath(QStringLiteral("um_arquivo")));
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.close();
    const QString destino = pasta_.filePath(QStringLiteral("um_arquivo/leituras.csv"));
    QString erro;
    EXPECT_FALSE(Exportar({0, 100, {}}, destino, erro));
    EXPECT_TRUE(erro.startsWith(QStringLiteral("não foi possível criar o arquivo")))
        << erro.toStdString();
    EXPECT_TRUE(erro.contains(destino));
}

TEST_F(Exportacao, FalhaDeLeituraDeixaODestinoComoEstava) {
    {
        QFile antigo(Destino());
        ASSERT_TRUE(antigo.open(QIODevice::WriteOnly));
        antigo.write("antigo");
    }
    QSqlDatabase fechado;
    QString erro;
    EXPECT_FALSE(Exportar_Leituras_Csv(fechado, {0, 100, {}}, Destino(), Brasil, erro));
    EXPECT_EQ(erro, QStringLiteral("não foi possível ler as leituras do histórico"));
    EXPECT_EQ(Conteudo(Destino()), QByteArray("antigo"));
    EXPECT_EQ(QDir(pasta_.path()).entryList(QDir::Files), QStringList{"leituras.csv"});
}

TEST(Relogio_Csv, DataDoMedidorEmIso) {
    const struct {
        const char* texto;
        const char* iso;
    } casos[] = {
        {"05/03/18", "2018-03-05"},
        {"29/02/24", "2024-02-29"},
        {"29/02/23", ""},
        {"31/12/99", "2099-12-31"},
        {"5/3/18", ""},
        {"05-03-18", ""},
        {"", ""},
        {"ab/cd/ef", ""},
        {"05/03/2018", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(Data_Medidor_Iso(QString::fromLatin1(c.texto)), QString::fromLatin1(c.iso));
    }
}

}  // namespace
}  // namespace qx7
