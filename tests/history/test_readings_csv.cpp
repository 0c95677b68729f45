// The readings export: the file exactly as spreadsheets read it, every row once and in
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

// The rows after the byte-order mark, each split at the separator; for files without quoted fields.
std::vector<QStringList> Linhas_Sem_Aspas(const QByteArray& bytes) {
    std::vector<QStringList> linhas;
    for (const QString& linha : QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"))) {
        linhas.push_back(linha.split(QLatin1Char(';')));
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
    l.medido = l.complementar = 0;
    historico_.Inserir_Leitura(l);

    QString erro;
    ASSERT_TRUE(Exportar({0, instante + 60'000, {}}, Destino(), erro)) << erro.toStdString();
    EXPECT_EQ(Conteudo(Destino()),
              QStringLiteral("\uFEFFData e hora do computador;Endereço;Comando;Tanque;Produto;"
                             "Densidade;Capacidade;Medido;Complementar;Unidade;Percentual;"
                             "Hora do medidor;Data do medidor\r\n"
                             "2024-03-05 14:07:09;01;LM;12;\"ÓLEO; \"\"S10\"\"\";0,75;4002;"
                             "1000,5;3001,5;V;25,00;14:06;05/03/24\r\n"
                             // no percentage when nothing is in the tank
                             "2024-03-05 14:07:10;01;LM;12;\"ÓLEO; \"\"S10\"\"\";0,75;4002;"
                             "0;0;V;;14:06;05/03/24\r\n")
                  .toUtf8());
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
    ASSERT_TRUE(Exportar({1000, 1000 + total, {1, 2}}, Destino(), erro)) << erro.toStdString();
    QStringList esperados{QStringLiteral("Medido")};
    QStringList medidos;
    for (int i = 0; i < total; ++i) {
        if (i % 3 != 2) {
            esperados << QString::number(i);
        }
    }
    for (const QStringList& linha : Linhas_Sem_Aspas(Conteudo(Destino()))) {
        medidos << linha.value(7);
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

}  // namespace
}  // namespace qx7
