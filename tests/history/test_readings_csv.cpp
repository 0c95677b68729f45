// The readings export: what is written comes back field for field, every row once and in
// order across pages, and a failed export leaves the destination as it was.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "history/connection.h"
#include "history/readings_csv.h"
#include "tests/support/history/history_fixture.h"

namespace qx7 {
namespace {

using teste::Historico_Teste;
using teste::Leitura_Teste;

const QLocale Brasil(QLocale::Portuguese, QLocale::Brazil);

// RFC 4180 read back: quoted fields may hold the separator, doubled quotes and line breaks.
std::vector<QStringList> Ler_Csv(const QString& texto, QChar separador) {
    std::vector<QStringList> linhas(1);
    QString campo;
    bool citado = false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (citado) {
            if (c == QLatin1Char('"') && i + 1 < texto.size() && texto[i + 1] == QLatin1Char('"')) {
                campo += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                citado = false;
            } else {
                campo += c;
            }
        } else if (c == QLatin1Char('"')) {
            citado = true;
        } else if (c == separador) {
            linhas.back() << campo;
            campo.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < texto.size() && texto[i + 1] == '\n') {
            linhas.back() << campo;
            campo.clear();
            linhas.emplace_back();
            ++i;
        } else {
            campo += c;
        }
    }
    linhas.pop_back();  // after the last CRLF
    return linhas;
}

class Exportacao : public ::testing::Test {
  protected:
    bool Exportar(const Filtro_Leituras& filtro, const QString& destino, QString& erro) {
        Conexao_Historico leitor(historico_.Arquivo(), Modo_Conexao::Leitura);
        EXPECT_TRUE(leitor.Aberta());
        return Exportar_Leituras_Csv(leitor.Banco(), filtro, destino, Brasil, erro);
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

TEST_F(Exportacao, CamposVoltamComoForamGravados) {
    const qint64 instante = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)).toMSecsSinceEpoch();
    Leitura_Teste l;
    l.instante_ms = instante;
    l.tanque = 12;
    l.produto = QStringLiteral("ÓLEO; \"S10\"");
    l.medido = 1000.5;
    l.complementar = 3001.5;
    l.capacidade = 4002;
    l.comando = QStringLiteral("LM");
    l.texto_hora = QStringLiteral("14:06");
    l.texto_data = QStringLiteral("05/03/24");
    historico_.Inserir_Leitura(l);
    l.instante_ms = instante + 1000;
    l.medido = 0;
    l.complementar = 0;
    historico_.Inserir_Leitura(l);

    QString erro;
    ASSERT_TRUE(Exportar({0, instante + 60'000, {}}, Destino(), erro)) << erro.toStdString();
    const QByteArray bytes = Conteudo(Destino());
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const auto linhas = Ler_Csv(QString::fromUtf8(bytes.mid(3)), QLatin1Char(';'));
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0],
              (QStringList{"Data e hora do computador", "Endereço", "Comando", "Tanque", "Produto",
                           "Densidade", "Capacidade", "Medido", "Complementar", "Unidade",
                           "Percentual", "Hora do medidor", "Data do medidor"}));
    EXPECT_EQ(linhas[1],
              (QStringList{"2024-03-05 14:07:09", "01", "LM", "12", "ÓLEO; \"S10\"", "0,75", "4002",
                           "1000,5", "3001,5", "V", "25,00", "14:06", "05/03/24"}));
    EXPECT_EQ(linhas[2][0], QStringLiteral("2024-03-05 14:07:10"));
    EXPECT_EQ(linhas[2][10], QString());  // no percentage when nothing is in the tank
}

TEST_F(Exportacao, TodasAsLinhasUmaVezEmOrdemAtravesDasPaginas) {
    // Many rows share an instant, so pages end in the middle of a run of equal times.
    constexpr int total = 4500;
    ASSERT_TRUE(historico_.Banco().transaction());
    for (int i = 0; i < total; ++i) {
        Leitura_Teste l;
        l.instante_ms = 1000 + i / 7;
        l.tanque = 1 + i % 3;
        l.medido = i;
        historico_.Inserir_Leitura(l);
    }
    ASSERT_TRUE(historico_.Banco().commit());

    QString erro;
    ASSERT_TRUE(Exportar({1000, 1000 + total, {1, 2}}, Destino(), erro)) << erro.toStdString();
    const auto linhas = Ler_Csv(QString::fromUtf8(Conteudo(Destino()).mid(3)), QLatin1Char(';'));
    QStringList medidos;
    for (int i = 0; i < total; ++i) {
        if (i % 3 != 2) {
            medidos << QString::number(i);
        }
    }
    ASSERT_EQ(linhas.size(), static_cast<std::size_t>(medidos.size()) + 1);
    for (int i = 0; i < medidos.size(); ++i) {
        ASSERT_EQ(linhas[static_cast<std::size_t>(i) + 1][7], medidos[i]) << i;
    }
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

}  // namespace
}  // namespace qx7
