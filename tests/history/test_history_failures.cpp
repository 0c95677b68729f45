// A file that cannot be used gives one report and stops the history without losing count: the
// units reported written are exactly the rows in the file. A corrupt file is moved aside and a
// new one started. A writer killed in the middle of its work leaves a sound file with no half
// inventory run.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

#include "history/connection.h"
#include "history/schema.h"
#include "history/writer.h"
#include "tests/history/history_reader.h"

namespace qx7::teste {
namespace {

Unidade_Historico Leitura_Tanque(int t, bool do_inventario = false) {
    Leitura_Recebida l{"A01",      "MA",     " 0" + std::to_string(t),
                       "0745",     "GC",     "030000",
                       "001000",   "029000", "10:00:00",
                       "08/12/26", false,    std::string(60, 'x')};
    return Unidade_Leitura{1000, l, do_inventario};
}

struct Avisos {
    std::mutex mutex;
    std::vector<Aviso_Historico> lista;
    std::function<void(const Aviso_Historico&)> Receber() {
        return [this](const Aviso_Historico& a) {
            std::lock_guard trava(mutex);
            lista.push_back(a);
        };
    }
};

qint64 Leituras(const QString& arquivo) {
    return Valor(arquivo, QStringLiteral("SELECT count(*) FROM leituras")).toLongLong();
}

// A file of the current version made beforehand, as an earlier session leaves it.
void Criar(const QString& arquivo) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
    QString erro;
    ASSERT_TRUE(conexao.Aberta() && Migrar_Esquema(conexao.Banco(), erro));
}

class Falhas : public ::testing::Test {
  protected:
    // Writes `n` readings and stops the writer; the counts it reports.
    void Gravar(Gravador_Historico& gravador, int n) {
        for (int i = 0; i < n; ++i) {
            gravador.Enfileirar(Leitura_Tanque(1 + i % 16));
        }
        gravador.Encerrar();
    }
    void Esperar_Um_Aviso(const char* trecho) {
        ASSERT_EQ(avisos.lista.size(), 1u);
        EXPECT_TRUE(avisos.lista[0].linha_log.contains(QString::fromUtf8(trecho)))
            << avisos.lista[0].linha_log.toStdString();
        EXPECT_FALSE(avisos.lista[0].mensagem.isEmpty());
    }

    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    Avisos avisos;
};

TEST_F(Falhas, PastaInexistente) {
    const QString longe = pasta.filePath(QStringLiteral("nao-existe/Historico.sqlite"));
    Gravador_Historico gravador({longe, avisos.Receber()});
    Gravar(gravador, 3);
    Esperar_Um_Aviso("não existe");
    EXPECT_FALSE(gravador.Motivo_Inativo().isEmpty());
    EXPECT_EQ(gravador.Gravados(), 0u);
    EXPECT_EQ(gravador.Perdidos(), 3u);
    EXPECT_FALSE(QFile::exists(longe));
}

TEST_F(Falhas, PastaSemPermissaoDeEscrita) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root escreve em qualquer pasta";
    }
    ASSERT_TRUE(QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::ExeOwner));
    Gravador_Historico gravador({arquivo, avisos.Receber()});
    Gravar(gravador, 2);
    QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Esperar_Um_Aviso("sem permissão");
    EXPECT_EQ(gravador.Gravados(), 0u);
}

TEST_F(Falhas, BloqueadoPorOutroProgramaAoAbrir) {
    Criar(arquivo);
    Conexao_Historico outro(arquivo, Modo_Conexao::Escrita);
    ASSERT_TRUE(QSqlQuery(outro.Banco()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    Gravador_Historico gravador({arquivo, avisos.Receber()});
    Gravar(gravador, 2);
    Esperar_Um_Aviso("bloqueado");
    EXPECT_EQ(gravador.Gravados(), 0u);
    EXPECT_EQ(gravador.Perdidos(), 2u);
}

TEST_F(Falhas, BloqueadoDepoisDaPrimeiraLeitura) {
    Gravador_Historico gravador({arquivo, avisos.Receber()});
    gravador.Enfileirar(Leitura_Tanque(1));
    for (int i = 0; i < 500 && gravador.Gravados() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(gravador.Gravados(), 1u);
    Conexao_Historico outro(arquivo, Modo_Conexao::Escrita);
    ASSERT_TRUE(QSqlQuery(outro.Banco()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    Gravar(gravador, 2);
    QSqlQuery(outro.Banco()).exec(QStringLiteral("ROLLBACK"));
    Esperar_Um_Aviso("bloqueado");
    EXPECT_EQ(gravador.Gravados(), 1u);
    EXPECT_EQ(gravador.Perdidos(), 2u);
    EXPECT_EQ(Leituras(arquivo), 1);
}

TEST_F(Falhas, ArquivoCheio) {
    Criar(arquivo);
    const int paginas = Valor(arquivo, QStringLiteral("PRAGMA page_count")).toInt();
    Gravador_Historico gravador({arquivo, avisos.Receber(), paginas + 2});
    Gravar(gravador, 200);
    Esperar_Um_Aviso("espaço");
    EXPECT_GT(gravador.Gravados(), 0u);
    EXPECT_EQ(static_cast<qint64>(gravador.Gravados()), Leituras(arquivo));
    EXPECT_EQ(gravador.Gravados() + gravador.Perdidos(), 200u);
}

TEST_F(Falhas, CorrompidoVaiParaOLadoEUmNovoComeca) {
    QFile lixo(arquivo);
    ASSERT_TRUE(lixo.open(QIODevice::WriteOnly));
    const QByteArray bytes(8192, 'z');
    lixo.write(bytes);
    lixo.close();
    Gravador_Historico gravador({arquivo, avisos.Receber()});
    Gravar(gravador, 2);

    Esperar_Um_Aviso("danificado");
    EXPECT_TRUE(gravador.Motivo_Inativo().isEmpty());
    EXPECT_EQ(gravador.Gravados(), 2u);
    EXPECT_EQ(Leituras(arquivo), 2);
    const QStringList guardados =
        QDir(pasta.path()).entryList({QStringLiteral("Historico-corrompido-*.sqlite")});
    ASSERT_EQ(guardados.size(), 1);
    QFile guardado(pasta.filePath(guardados[0]));
    ASSERT_TRUE(guardado.open(QIODevice::ReadOnly));
    EXPECT_EQ(guardado.readAll(), bytes);
    EXPECT_TRUE(avisos.lista[0].linha_log.contains(guardados[0]));
}

// A child writes inventory runs of 16 tanks until it is killed; each time, the file must be
// sound and hold only whole runs.
void Escrever_Ate_Morrer(const QString& arquivo) {
    Gravador_Historico gravador({arquivo, {}});
    for (std::uint64_t feitos = 0;; feitos = gravador.Gravados()) {
        gravador.Enfileirar(Unidade_Inicio_Inventario{});
        for (int t = 1; t <= 16; ++t) {
            gravador.Enfileirar(Leitura_Tanque(t, true));
        }
        gravador.Enfileirar(Unidade_Fim_Inventario{2000, "A01", 16});
        while (gravador.Gravados() < feitos + 17) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
}

TEST(Interrupcao, ProcessoMortoNoMeioNaoDeixaCorridaPelaMetade) {
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    for (const int espera_ms : {40, 90, 170, 260}) {
        const pid_t filho = fork();
        ASSERT_GE(filho, 0);
        if (filho == 0) {
            Escrever_Ate_Morrer(arquivo);
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(espera_ms));
        kill(filho, SIGKILL);
        int estado = 0;
        waitpid(filho, &estado, 0);
        ASSERT_TRUE(WIFSIGNALED(estado));

        EXPECT_EQ(Valor(arquivo, QStringLiteral("PRAGMA integrity_check")).toString(),
                  QStringLiteral("ok"));
        EXPECT_EQ(
            Valor(arquivo,
                  QStringLiteral("SELECT count(*) FROM inventarios i WHERE"
                                 " (SELECT count(*) FROM leituras WHERE inventario = i.id) != 16"
                                 " OR (SELECT sum(tanques) FROM totais_inventario"
                                 "     WHERE inventario = i.id) IS NOT 16"))
                .toInt(),
            0);
    }
    EXPECT_GT(Valor(arquivo, QStringLiteral("SELECT count(*) FROM inventarios")).toInt(), 0);
}

}  // namespace
}  // namespace qx7::teste
