// A file that fails does not stop the history: the units wait in order and arrive once it takes
// them again, each counted written only after its commit, with one report when writing stopped
// and one when it resumed. Only units pushed out of the full queue, or still waiting when the
// program ends, are lost, and they are counted. A writer killed in the middle of its work leaves
// a sound file with no half inventory run.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <numeric>
#include <thread>

#include "history/connection.h"
#include "history/schema.h"
#include "history/writer.h"
#include "tests/history/history_reader.h"
#include "tests/history/writer_probe.h"

namespace qx7::teste {
namespace {

using Tipo = Aviso_Historico::Tipo;

qint64 Leituras(const QString& arquivo) {
    return Valor(arquivo, QStringLiteral("SELECT count(*) FROM leituras")).toLongLong();
}

// A file of the current version made beforehand, as an earlier session leaves it.
void Criar(const QString& arquivo) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
    QString erro;
    ASSERT_TRUE(conexao.Aberta() && Migrar_Esquema(conexao.Banco(), erro));
}

// What keeps the file from taking units until it is lifted.
class Causa {
  public:
    virtual ~Causa() = default;
    virtual void Liberar() {}
};

// Another program holding the file: a second connection in an exclusive transaction.
class Bloqueio : public Causa {
  public:
    explicit Bloqueio(const QString& arquivo) : outro_(arquivo, Modo_Conexao::Escrita) {
        EXPECT_TRUE(QSqlQuery(outro_.Banco()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    }
    void Liberar() override { QSqlQuery(outro_.Banco()).exec(QStringLiteral("ROLLBACK")); }

  private:
    Conexao_Historico outro_;
};

// Every write past a file's first byte fails with an I/O error, as on a failing disk.
class Falha_De_Disco : public Causa {
  public:
    Falha_De_Disco() {
        getrlimit(RLIMIT_FSIZE, &antes_);
        signal(SIGXFSZ, SIG_IGN);
        rlimit limite = antes_;
        limite.rlim_cur = 1;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~Falha_De_Disco() override { Liberar(); }
    void Liberar() override { setrlimit(RLIMIT_FSIZE, &antes_); }

  private:
    rlimit antes_{};
};

// A cap a few pages past the file's size, read by the writer at each opening: some units fit,
// then the file is full.
class Arquivo_Cheio : public Causa {
  public:
    Arquivo_Cheio(const QString& arquivo, std::atomic<int>& limite) : limite_(limite) {
        limite_ = Valor(arquivo, QStringLiteral("PRAGMA page_count")).toInt() + 2;
    }
    void Liberar() override { limite_ = 0; }

  private:
    std::atomic<int>& limite_;
};

class Falhas : public ::testing::Test {
  public:  // the cases below reach the file and its cap
    Opcoes_Gravador Opcoes() {
        return {.arquivo = arquivo,
                .avisar = avisos.Receber(),
                .limite_paginas = [this] { return limite_paginas.load(); },
                .capacidade_fila = Capacidade_Fila_Padrao,
                .espera = {.inicial = std::chrono::milliseconds(10),
                           .maxima = std::chrono::milliseconds(80)},
                .espera_bloqueio_ms = 20};
    }
    // `n` readings stamped 1..n, in that order.
    void Enfileirar(Gravador_Historico& gravador, int n) {
        for (int i = 1; i <= n; ++i) {
            gravador.Enfileirar(Leitura_Tanque(1 + i % 16, i));
        }
    }
    std::vector<qint64> Instantes() {
        std::vector<qint64> instantes;
        for (const QVariantList& l :
             Consultar(arquivo, QStringLiteral("SELECT instante_ms FROM leituras ORDER BY id"))) {
            instantes.push_back(l[0].toLongLong());
        }
        return instantes;
    }

    QTemporaryDir pasta;
    QString arquivo = pasta.filePath(QStringLiteral("Historico.sqlite"));
    Avisos avisos;
    std::atomic<int> limite_paginas = 0;
};

struct Caso_Causa {
    const char* nome;
    const char* motivo;  // a part of the stop's reason
    std::function<std::unique_ptr<Causa>(Falhas&)> causar;
    bool so_sem_root = false;  // root writes in any folder
};

class Interrupcao : public Falhas, public ::testing::WithParamInterface<Caso_Causa> {};

TEST_P(Interrupcao, TudoChegaEmOrdemQuandoOArquivoVolta) {
    constexpr int Total = 120;
    Criar(arquivo);
    const std::unique_ptr<Causa> causa = GetParam().causar(*this);
    Gravador_Historico gravador(Opcoes());
    Enfileirar(gravador, Total);

    ASSERT_TRUE(Esperar([&] { return !avisos.Do_Tipo(Tipo::Parado).empty(); }));
    const std::uint64_t antes = gravador.Gravados();
    EXPECT_LT(antes, static_cast<std::uint64_t>(Total));
    // Nothing is counted written that is not committed, however often it is tried meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(gravador.Gravados(), antes);
    EXPECT_EQ(static_cast<qint64>(antes), Leituras(arquivo));
    EXPECT_TRUE(gravador.Motivo_Inativo().contains(QString::fromUtf8(GetParam().motivo)))
        << gravador.Motivo_Inativo().toStdString();

    causa->Liberar();
    ASSERT_TRUE(Esperar([&] { return gravador.Gravados() == Total; }));
    ASSERT_TRUE(Esperar([&] { return !avisos.Do_Tipo(Tipo::Retomado).empty(); }));
    gravador.Encerrar();

    std::vector<qint64> esperados(Total);
    std::iota(esperados.begin(), esperados.end(), 1);
    EXPECT_EQ(Instantes(), esperados);
    EXPECT_EQ(gravador.Perdidos(), 0u);
    EXPECT_TRUE(gravador.Motivo_Inativo().isEmpty());
    const std::vector<Aviso_Historico> todos = avisos.Lista();
    ASSERT_EQ(todos.size(), 2u);
    EXPECT_EQ(todos[0].tipo, Tipo::Parado);
    EXPECT_TRUE(todos[0].linha_log.contains(QString::fromUtf8(GetParam().motivo)));
    EXPECT_FALSE(todos[0].mensagem.isEmpty());
    EXPECT_EQ(todos[1].tipo, Tipo::Retomado);
    EXPECT_EQ(todos[1].registros, Total - antes);
    EXPECT_TRUE(todos[1].mensagem.isEmpty());  // a log line is enough
}

INSTANTIATE_TEST_SUITE_P(
    Causas, Interrupcao,
    ::testing::Values(Caso_Causa{"Bloqueado", "bloqueado",
                                 [](Falhas& f) { return std::make_unique<Bloqueio>(f.arquivo); }},
                      Caso_Causa{"Cheio", "espaço",
                                 [](Falhas& f) {
                                     return std::make_unique<Arquivo_Cheio>(f.arquivo,
                                                                            f.limite_paginas);
                                 }},
                      Caso_Causa{"ErroDeEs", "erro de leitura ou gravação",
                                 [](Falhas&) { return std::make_unique<Falha_De_Disco>(); }}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Falhas, FilaCheiaPerdeOsMaisAntigosEContaNoArquivo) {
    Criar(arquivo);
    Bloqueio bloqueio(arquivo);
    Opcoes_Gravador opcoes = Opcoes();
    opcoes.capacidade_fila = 5;
    Gravador_Historico gravador(opcoes);
    Enfileirar(gravador, 20);
    ASSERT_TRUE(Esperar([&] { return !avisos.Do_Tipo(Tipo::Parado).empty(); }));
    EXPECT_EQ(gravador.Perdidos(), 15u);

    bloqueio.Liberar();
    ASSERT_TRUE(Esperar([&] { return gravador.Gravados() == 5; }));
    gravador.Encerrar();
    // The five kept are in order, and the newest four among them (the oldest may be the one
    // that was being tried when the rest came).
    const std::vector<qint64> instantes = Instantes();
    ASSERT_EQ(instantes.size(), 5u);
    EXPECT_TRUE(std::is_sorted(instantes.begin(), instantes.end()));
    EXPECT_EQ(std::vector<qint64>(instantes.begin() + 1, instantes.end()),
              (std::vector<qint64>{17, 18, 19, 20}));
    EXPECT_EQ(gravador.Perdidos(), 15u);
    EXPECT_EQ(
        Valor(arquivo, QStringLiteral("SELECT sum(registros) FROM registros_perdidos")).toInt(),
        15);
    const std::vector<Aviso_Historico> retomado = avisos.Do_Tipo(Tipo::Retomado);
    ASSERT_EQ(retomado.size(), 1u);
    EXPECT_EQ(retomado[0].registros, 5u);
    EXPECT_TRUE(retomado[0].linha_log.contains(QStringLiteral("15 registros perdidos")))
        << retomado[0].linha_log.toStdString();
    // A loss is shown, not only logged.
    EXPECT_EQ(retomado[0].mensagem, retomado[0].linha_log);
}

// The file never comes back before the program ends: what waited is counted lost, told once.
class Sem_Volta : public Falhas, public ::testing::WithParamInterface<Caso_Causa> {};

TEST_P(Sem_Volta, OQueEsperavaEContadoPerdido) {
    if (GetParam().so_sem_root && geteuid() == 0) {
        GTEST_SKIP() << "root escreve em qualquer pasta";
    }
    std::unique_ptr<Causa> causa = GetParam().causar(*this);
    Gravador_Historico gravador(Opcoes());
    Enfileirar(gravador, 3);
    gravador.Encerrar();
    causa.reset();
    const std::vector<Aviso_Historico> todos = avisos.Lista();
    ASSERT_EQ(todos.size(), 1u);
    EXPECT_EQ(todos[0].tipo, Tipo::Parado);
    EXPECT_TRUE(todos[0].linha_log.contains(QString::fromUtf8(GetParam().motivo)))
        << todos[0].linha_log.toStdString();
    EXPECT_FALSE(gravador.Motivo_Inativo().isEmpty());
    EXPECT_EQ(gravador.Gravados(), 0u);
    EXPECT_EQ(gravador.Perdidos(), 3u);
}

// Gives the folder back its write permission when lifted.
class Pasta_Sem_Permissao : public Causa {
  public:
    explicit Pasta_Sem_Permissao(QString pasta) : pasta_(std::move(pasta)) {
        QFile::setPermissions(pasta_, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~Pasta_Sem_Permissao() override {
        QFile::setPermissions(pasta_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

  private:
    QString pasta_;
};

INSTANTIATE_TEST_SUITE_P(
    Causas, Sem_Volta,
    ::testing::Values(
        Caso_Causa{"PastaInexistente", "não existe",
                   [](Falhas& f) {
                       f.arquivo = f.pasta.filePath(QStringLiteral("nao-existe/Historico.sqlite"));
                       return std::make_unique<Causa>();
                   }},
        Caso_Causa{"PastaSemPermissao", "sem permissão",
                   [](Falhas& f) { return std::make_unique<Pasta_Sem_Permissao>(f.pasta.path()); },
                   true},
        Caso_Causa{"BloqueadoAteOFim", "bloqueado",
                   [](Falhas& f) {
                       Criar(f.arquivo);
                       return std::make_unique<Bloqueio>(f.arquivo);
                   }}),
    [](const auto& info) { return std::string(info.param.nome); });

// A child writes inventory runs of 16 tanks until it is killed; each time, the file must be
// sound and hold only whole runs.
void Escrever_Ate_Morrer(const QString& arquivo) {
    Gravador_Historico gravador({.arquivo = arquivo});
    for (std::uint64_t feitos = 0;; feitos = gravador.Gravados()) {
        gravador.Enfileirar(Unidade_Inicio_Inventario{});
        for (int t = 1; t <= 16; ++t) {
            gravador.Enfileirar(Leitura_Tanque(t, 1000, true));
        }
        gravador.Enfileirar(Unidade_Fim_Inventario{2000, "A01", 16});
        while (gravador.Gravados() < feitos + 17) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
}

TEST(Morte, ProcessoMortoNoMeioNaoDeixaCorridaPelaMetade) {
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

        // As the next start finds it: the writer's connection rolls back what the killed one
        // left half done (a read-only one may not, and would see nothing).
        {
            const Conexao_Historico retomada(arquivo, Modo_Conexao::Escrita);
            ASSERT_TRUE(retomada.Aberta()) << retomada.Erro().toStdString();
        }
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
