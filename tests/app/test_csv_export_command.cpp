// The command line: what it accepts and in which mode, what it refuses with a message and exit
// 2, and the export it runs from a history file without a window: the count it prints, its exit
// status, and a destination that is the history itself refused with the history untouched.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <sstream>

#include "app/program_options.h"
#include "history/connection.h"
#include "history/writer.h"
#include "station/csv_export_command.h"
#include "station/history_wiring.h"

namespace qx7::teste {
namespace {

QStringList Argumentos(const std::vector<const char*>& lista) {
    QStringList argumentos;
    for (const char* a : lista) {
        argumentos << QString::fromUtf8(a);
    }
    return argumentos;
}

// The reason a command line is refused, by either reading; empty when it is accepted.
QString Recusa(const std::vector<const char*>& lista) {
    QString erro;
    const auto linha = Ler_Linha_Comando(Argumentos(lista), erro);
    if (linha && linha->modo == Modo_Programa::Exportacao) {
        Ler_Pedido_Exportacao(linha->opcoes, erro);
    }
    return erro;
}

TEST(Linha_Comando, RecusaComMotivo) {
    const struct {
        std::vector<const char*> argumentos;
        const char* motivo;
    } casos[] = {
        {{"--exportar-csv=a.csv"}, "use \"--exportar-csv a.csv\", sem \"=\""},
        {{"--historico=b.sqlite"}, "use \"--historico b.sqlite\", sem \"=\""},
        {{"--porta", "COM1"}, "opção desconhecida: --porta"},
        {{"--exportar-csv", "a.csv", "--tanques", "3"}, "opção desconhecida: --tanques"},
        {{"leituras.csv"}, "argumento inesperado: leituras.csv"},
        {{"--exportar-csv"}, "falta o valor de --exportar-csv"},
        {{"--exportar-csv", "--de", "2026-01-01"}, "falta o valor de --exportar-csv"},
        {{"--de", "2026-01-01"}, "--de só vale com --exportar-csv"},
        {{"--historico", "--formato", "maquina"}, "--formato só vale com --exportar-csv"},
        {{"--exportar-csv", "a.csv", "--de", "2026-02-30"}, "data inválida em --de"},
        {{"--exportar-csv", "a.csv", "--ate", "07/12/2026"}, "data inválida em --ate"},
        {{"--exportar-csv", "a.csv", "--tanque", "0"}, "tanque inválido"},
        {{"--exportar-csv", "a.csv", "--tanque", "17"}, "tanque inválido"},
        {{"--exportar-csv", "a.csv", "--tanque", "três"}, "tanque inválido"},
        {{"--exportar-csv", "a.csv", "--formato", "json"}, "formato desconhecido"},
        {{"--exportar-csv", "a.csv", "--de", "2026-12-07", "--ate", "2026-12-01"}, "posterior"},
        {{"--exportar-csv", "a.csv", "--de", "2026-12-01", "--de", "2026-12-02"},
         "--de dada mais de uma vez"},
        {{"--exportar-csv", "a.csv", "--historico"}, "falta o valor de --historico"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.motivo);
        EXPECT_TRUE(Recusa(c.argumentos).contains(QString::fromUtf8(c.motivo)))
            << Recusa(c.argumentos).toStdString();
    }
}

TEST(Pedido_Exportacao, PeriodoDeDiasInteirosTanquesEFormato) {
    QString erro;
    const auto linha = Ler_Linha_Comando(
        Argumentos({"--tanque", "3", "--exportar-csv", "x.csv", "--de", "2026-12-01", "--ate",
                    "2026-12-07", "--tanque", "12", "--formato", "maquina"}),
        erro);
    ASSERT_TRUE(linha) << erro.toStdString();
    const auto pedido = Ler_Pedido_Exportacao(linha->opcoes, erro);
    ASSERT_TRUE(pedido) << erro.toStdString();
    EXPECT_EQ(pedido->destino, QStringLiteral("x.csv"));
    EXPECT_EQ(pedido->filtro.de_ms, QDate(2026, 12, 1).startOfDay().toMSecsSinceEpoch());
    EXPECT_EQ(pedido->filtro.ate_ms, QDate(2026, 12, 8).startOfDay().toMSecsSinceEpoch());
    EXPECT_EQ(pedido->filtro.tanques, (std::vector<int>{3, 12}));
    EXPECT_EQ(pedido->forma, Forma_Exportacao::Maquina);
}

// Readings of tanks 1 and 2 on 1 and 2 December, written by the program's own writer.
void Gravar_Historico(const QString& arquivo) {
    Gravador_Historico gravador({arquivo, {}});
    for (const int dia : {1, 2}) {
        for (const int tanque : {1, 2}) {
            Leitura_Recebida l{"A01",
                               "MT",
                               " 0" + std::to_string(tanque),
                               "0745",
                               "GC",
                               "030000",
                               "001000",
                               "029000",
                               "10:00:00",
                               "0" + std::to_string(dia) + "/12/26",
                               false,
                               "quadro"};
            const qint64 instante =
                QDateTime(QDate(2026, 12, dia), QTime(10, 0)).toMSecsSinceEpoch();
            gravador.Enfileirar(Unidade_Leitura{instante, l, false});
        }
    }
}

QByteArray Conteudo(const QString& caminho) {
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

class Exportacao : public ::testing::Test {
  protected:
    void SetUp() override { Gravar_Historico(historico); }

    int Exportar(const std::vector<const char*>& extra, const QString& destino) {
        QStringList argumentos{QStringLiteral("--exportar-csv"), destino};
        argumentos += Argumentos(extra);
        QString erro;
        const auto linha = Ler_Linha_Comando(argumentos, erro);
        const auto pedido = linha ? Ler_Pedido_Exportacao(linha->opcoes, erro) : std::nullopt;
        EXPECT_TRUE(pedido) << erro.toStdString();
        saida.str({});
        erros.str({});
        return pedido ? Executar_Exportacao(*pedido, base.path().toStdString(), QLocale::c(), saida,
                                            erros)
                      : -1;
    }
    QString Em_Base(const char* nome) const { return base.filePath(QString::fromUtf8(nome)); }

    QTemporaryDir base;
    QString historico = Arquivo_No_Diretorio(base.path().toStdString(), Arquivo_Historico);
    std::ostringstream saida, erros;
};

TEST_F(Exportacao, GravaAsLeiturasDoFiltroEDizQuantas) {
    const QString destino = Em_Base("saida.csv");
    EXPECT_EQ(Exportar({"--ate", "2026-12-01", "--tanque", "2"}, destino), 0) << erros.str();
    const QList<QByteArray> linhas = Conteudo(destino).split('\n');
    ASSERT_EQ(linhas.size(), 3);  // header, one reading, nothing after the last line end
    EXPECT_TRUE(linhas[1].contains("01/12/26"));
    EXPECT_EQ(saida.str(), "1 leitura exportada para " + destino.toStdString() + "\n");
}

TEST_F(Exportacao, PeriodoVazioSai3ComOCabecalho) {
    const QString destino = Em_Base("vazio.csv");
    EXPECT_EQ(Exportar({"--de", "2027-01-01"}, destino), Saida_Periodo_Vazio);
    EXPECT_EQ(Conteudo(destino).count('\n'), 1);
    EXPECT_EQ(saida.str(), "0 leituras exportadas para " + destino.toStdString() + "\n");
}

TEST_F(Exportacao, OutroArquivoDeHistoricoPorHistorico) {
    const QString copia = Em_Base("Backup-1.sqlite");
    ASSERT_TRUE(QFile::copy(historico, copia));
    ASSERT_TRUE(QFile::remove(historico));
    const QString destino = Em_Base("saida.csv");
    EXPECT_EQ(Exportar({"--historico", copia.toUtf8().constData()}, destino), 0) << erros.str();
    EXPECT_NE(saida.str().find("4 leituras"), std::string::npos) << saida.str();
}

// Whatever name the destination has, a file of the history is never written over.
TEST_F(Exportacao, DestinoDoHistoricoRecusadoEIntacto) {
    ASSERT_TRUE(QDir(base.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(QFile::link(historico, Em_Base("atalho.csv")));
    ASSERT_EQ(::link(QFile::encodeName(historico).constData(),
                     QFile::encodeName(Em_Base("mesmo.csv")).constData()),
              0);
    const QByteArray antes = Conteudo(historico);
    ASSERT_FALSE(antes.isEmpty());
    const QString nomes[] = {historico,
                             Em_Base("sub/../Historico.sqlite"),
                             Em_Base("atalho.csv"),
                             Em_Base("mesmo.csv"),
                             historico + QStringLiteral("-wal"),
                             historico + QStringLiteral("-shm"),
                             historico + QStringLiteral("-journal")};
    for (const QString& destino : nomes) {
        SCOPED_TRACE(destino.toStdString());
        EXPECT_EQ(Exportar({}, destino), Saida_Argumentos_Invalidos);
        EXPECT_NE(erros.str().find("é um arquivo do histórico"), std::string::npos) << erros.str();
        EXPECT_EQ(Conteudo(historico), antes);
    }
    EXPECT_FALSE(QFile::exists(historico + QStringLiteral("-journal")));
    // Relative to the current directory, as a scheduled job gives it.
    const QString atual = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(base.path()));
    EXPECT_EQ(Exportar({}, QStringLiteral("Historico.sqlite")), Saida_Argumentos_Invalidos);
    QDir::setCurrent(atual);
    EXPECT_EQ(Conteudo(historico), antes);
}

TEST_F(Exportacao, FalhasSaem1) {
    EXPECT_EQ(Exportar({}, Em_Base("nao-existe/a.csv")), Saida_Falha_Exportacao);
    EXPECT_FALSE(QFile::exists(Em_Base("nao-existe/a.csv")));
    {
        Conexao_Historico escrita(historico, Modo_Conexao::Escrita);
        ASSERT_TRUE(QSqlQuery(escrita.Banco())
                        .exec(QStringLiteral("UPDATE versao_esquema SET versao = 99")));
    }
    EXPECT_EQ(Exportar({}, Em_Base("a.csv")), Saida_Falha_Exportacao);
    EXPECT_NE(erros.str().find("versão mais nova"), std::string::npos) << erros.str();
    ASSERT_TRUE(QFile::remove(historico));
    EXPECT_EQ(Exportar({}, Em_Base("a.csv")), Saida_Falha_Exportacao);
    EXPECT_NE(erros.str().find("não foi possível abrir o histórico"), std::string::npos);
}

}  // namespace
}  // namespace qx7::teste
