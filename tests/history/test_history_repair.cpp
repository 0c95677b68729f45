// A damaged file is repaired before anything is moved aside: damaged indexes are rebuilt in
// place, a file SQLite can still read is copied whole into a new one, and only a file that lost
// rows (or was never a history) is kept aside, with the operator told how many rows remain.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>

#include "history/connection.h"
#include "history/schema.h"
#include "history/writer.h"
#include "tests/history/history_reader.h"
#include "tests/history/writer_probe.h"

namespace qx7::teste {
namespace {

using Tipo = Aviso_Historico::Tipo;
constexpr int Linhas = 3000;

// A history of `Linhas` readings, closed, so every page is in the file itself.
void Criar_Historico(const QString& arquivo) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
    QString erro;
    ASSERT_TRUE(conexao.Aberta() && Migrar_Esquema(conexao.Banco(), erro));
    QSqlQuery q(conexao.Banco());
    ASSERT_TRUE(q.exec(
        QStringLiteral(
            "INSERT INTO leituras (instante_ms, endereco, comando, tanque, produto, medido,"
            " complementar, unidade, texto_tanque, texto_densidade, texto_capacidade, texto_medido,"
            " texto_complementar, texto_hora, texto_data) WITH RECURSIVE c(n) AS (SELECT 1 UNION "
            "ALL"
            " SELECT n + 1 FROM c WHERE n < %1) SELECT n * 1000, 'A01', 'MA', n % 16 + 1, 'GC', n,"
            " 5000 - n, 'V', n % 16 + 1, '0745', '015000', printf('%06d', n),"
            " printf('%06d', 5000 - n), '10:00:00', '08/12/26' FROM c")
            .arg(Linhas)));
}

// Overwrites `bytes` at `deslocamento` of the first leaf page of table or index `nome`.
void Estragar(const QString& arquivo, const char* nome, int deslocamento, const QByteArray& bytes) {
    const QVariant pagina = Valor(
        arquivo, QStringLiteral("SELECT pageno FROM dbstat WHERE name = '%1' AND pagetype = 'leaf'"
                                " ORDER BY pageno LIMIT 1")
                     .arg(QString::fromLatin1(nome)));
    const int tamanho = Valor(arquivo, QStringLiteral("PRAGMA page_size")).toInt();
    ASSERT_TRUE(pagina.isValid() && tamanho > 0);
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek((pagina.toLongLong() - 1) * tamanho + deslocamento));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

struct Caso_Reparo {
    const char* nome;
    std::function<void(const QString&)> estragar;
    const char* no_log;  // a part of the report's log line
    int minimo, maximo;  // the readings kept, beside the one written afterwards
    bool guardado;       // the damaged file is kept aside
};

const QByteArray Cabecalho_Invalido(1, '\xFF');
const QByteArray Celulas_Invalidas(200, '\xFF');

const Caso_Reparo Casos[] = {
    {"CelulasDeIndiceReindexadas",
     [](const QString& a) {
         Criar_Historico(a);
         Estragar(a, "leituras_por_tanque", 100, Celulas_Invalidas);
     },
     "índices foram reconstruídos", Linhas, Linhas, false},
    // REINDEX cannot clear a page it cannot read: every row is copied into a new file instead.
    {"PaginaDeIndiceIlegivelCopiadaInteira",
     [](const QString& a) {
         Criar_Historico(a);
         Estragar(a, "leituras_por_tanque", 0, Cabecalho_Invalido);
     },
     "3000 registros mantidos, nenhum perdido", Linhas, Linhas, false},
    {"PaginaDeTabelaPerdeSoSuasLinhas",
     [](const QString& a) {
         Criar_Historico(a);
         Estragar(a, "leituras", 0, Cabecalho_Invalido);
     },
     "registros mantidos", Linhas - 100, Linhas - 1, true},
    {"NaoEUmBanco",
     [](const QString& a) {
         QFile f(a);
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         f.write(QByteArray(8192, 'z'));
     },
     "um novo foi iniciado", 0, 0, true},
    {"BancoDeOutroPrograma",
     [](const QString& a) {
         Conexao_Historico c(a, Modo_Conexao::Escrita);
         ASSERT_TRUE(QSqlQuery(c.Banco()).exec(QStringLiteral("CREATE TABLE clientes (nome)")));
     },
     "um novo foi iniciado", 0, 0, true},
};

class Reparo : public ::testing::TestWithParam<Caso_Reparo> {};

TEST_P(Reparo, ReparaAntesDeGuardarAParte) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    GetParam().estragar(arquivo);
    QFile original(arquivo);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();

    Avisos avisos;
    Gravador_Historico gravador({.arquivo = arquivo, .avisar = avisos.Receber()});
    gravador.Enfileirar(Leitura_Tanque(1, 9'999'999));
    gravador.Encerrar();

    const std::vector<Aviso_Historico> todos = avisos.Lista();
    ASSERT_EQ(todos.size(), 1u);
    EXPECT_EQ(todos[0].tipo, Tipo::Reparado);
    EXPECT_TRUE(todos[0].linha_log.contains(QString::fromUtf8(GetParam().no_log)))
        << todos[0].linha_log.toStdString();
    EXPECT_EQ(gravador.Gravados(), 1u);
    EXPECT_EQ(Valor(arquivo, QStringLiteral("PRAGMA integrity_check")).toString(),
              QStringLiteral("ok"));
    const qint64 mantidas =
        Valor(arquivo, QStringLiteral("SELECT count(*) FROM leituras")).toLongLong() - 1;
    EXPECT_GE(mantidas, GetParam().minimo);
    EXPECT_LE(mantidas, GetParam().maximo);
    EXPECT_EQ(Valor(arquivo, QStringLiteral("SELECT max(instante_ms) FROM leituras")).toLongLong(),
              9'999'999);
    if (todos[0].registros > 0) {
        EXPECT_EQ(static_cast<qint64>(todos[0].registros), mantidas);
    }

    const QStringList guardados =
        QDir(pasta.path())
            .entryList({QStringLiteral("Historico-corrompido-*.sqlite")}, QDir::Files);
    ASSERT_EQ(guardados.size(), GetParam().guardado ? 1 : 0);
    EXPECT_EQ(QDir(pasta.path()).entryList({QStringLiteral("*recuperando*")}, QDir::Files),
              QStringList());
    if (GetParam().guardado) {
        QFile guardado(pasta.filePath(guardados[0]));
        ASSERT_TRUE(guardado.open(QIODevice::ReadOnly));
        EXPECT_EQ(guardado.readAll(), bytes);  // kept as it was, for whoever looks into it
        EXPECT_TRUE(todos[0].linha_log.contains(guardados[0]));
    }
}

INSTANTIATE_TEST_SUITE_P(Danos, Reparo, ::testing::ValuesIn(Casos),
                         [](const auto& info) { return std::string(info.param.nome); });

// Ids an event or a delivery once had are never handed out again after a copy, also those of
// rows gone before the damage: whoever follows those tables by id misses nothing new.
TEST(Reparo_Sequencias, IdsJaUsadosNaoVoltamDepoisDaCopia) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    Criar_Historico(arquivo);
    {
        Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
        QSqlQuery q(conexao.Banco());
        ASSERT_TRUE(q.exec(QStringLiteral(
            "INSERT INTO descargas (tanque, inicio_ms, fim_ms, volume_antes, volume_depois,"
            " quantidade, unidade) VALUES (1, 1, 2, 0, 900, 900, 'V'), (1, 3, 4, 0, 900, 900, "
            "'V')")));
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM descargas WHERE id = 2")));
    }
    Estragar(arquivo, "leituras", 0, Cabecalho_Invalido);

    Gravador_Historico gravador({.arquivo = arquivo});
    gravador.Enfileirar(Unidade_Descarga{1, {5, 6, 0, 800}, false});
    gravador.Encerrar();
    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT id FROM descargas ORDER BY id")),
              (std::vector<QVariantList>{{1}, {3}}));
}

}  // namespace
}  // namespace qx7::teste
