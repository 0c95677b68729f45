// The program's history over a base directory: the automatic reading's interval survives a
// restart in the preferences file, a refused one changes nothing, the link's counters reach
// the file when the program ends, and a file that stops taking units shows one message, not
// modal, that goes when writing resumes.

#include <gtest/gtest.h>

#include <QDir>
#include <QMessageBox>
#include <QSqlQuery>
#include <memory>

#include "history/connection.h"
#include "history/queries.h"
#include "history/schema.h"
#include "station/history_wiring.h"
#include "tests/app/panel_fixture.h"
#include "text/qt_1252.h"

namespace qx7::teste {
namespace {

class Historico_Do_Programa : public ::testing::Test {
  protected:
    std::unique_ptr<Historico_Programa> Iniciar() {
        return std::make_unique<Historico_Programa>(bancada.base, bancada.estacao);
    }
    Painel_De_Teste bancada;
    Form1& painel = bancada.Criar();
};

TEST_F(Historico_Do_Programa, IntervaloGuardadoEntreSessoes) {
    {
        auto historico = Iniciar();
        Servicos_Historico servicos = historico->Servicos();
        EXPECT_EQ(servicos.intervalo(), 0);  // off until asked for
        EXPECT_TRUE(servicos.definir_intervalo(15));
        EXPECT_FALSE(servicos.definir_intervalo(1441));
        EXPECT_EQ(servicos.intervalo(), 15);
    }
    auto historico = Iniciar();
    EXPECT_EQ(historico->Servicos().intervalo(), 15);
    EXPECT_TRUE(
        QFile::exists(bancada.diretorio.filePath(QString::fromLatin1(Arquivo_Preferencias))));
}

TEST_F(Historico_Do_Programa, ContadoresChegamAoArquivoAoEncerrar) {
    bancada.estacao.Enlace_Serial().Porta_Reaberta();  // one event the link counts
    const QString arquivo = Iniciar()->Servicos().arquivo;
    Conexao_Historico conexao(arquivo, Modo_Conexao::Leitura);
    ASSERT_TRUE(conexao.Aberta()) << conexao.Erro().toStdString();
    EXPECT_EQ(Contadores_Gravados(conexao.Banco()).Reaberturas_Porta, 1u);
}

// How many lines of the log begin with `inicio`.
int Linhas_Do_Log(Form1& painel, const QString& inicio) {
    int n = 0;
    for (int i = 0; i < painel.Log().rowCount(); ++i) {
        n += De_1252(std::string(painel.Log().Linha(i))).startsWith(inicio) ? 1 : 0;
    }
    return n;
}

TEST_F(Historico_Do_Programa, UmaMensagemPorInterrupcaoQueSomeAoRetomar) {
    auto historico = Iniciar();
    const QString arquivo = historico->Servicos().arquivo;
    // The writer lays the new file out with a durable commit per version: slow on a busy disk.
    // A second writer opened meanwhile could find it locked and be left closed.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            Conexao_Historico leitura(arquivo, Modo_Conexao::Leitura);
            return leitura.Aberta() && Versao_Esquema(leitura.Banco()) == Versao_Esquema_Atual;
        },
        20'000));
    Conexao_Historico outro(arquivo, Modo_Conexao::Escrita);
    ASSERT_TRUE(outro.Aberta()) << outro.Erro().toStdString();
    ASSERT_TRUE(QSqlQuery(outro.Banco()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    const auto mensagens = [&] {
        return painel.findChildren<QMessageBox*>(QStringLiteral("Aviso_Historico"));
    };
    const QString parada = QStringLiteral("Gravação do histórico interrompida");

    historico->Gravador().Enfileirar(Unidade_Contadores{});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mensagens().isEmpty(); }, 10'000));
    historico->Gravador().Enfileirar(Unidade_Contadores{});
    QTest::qWait(1500);  // tried again meanwhile, and failed again
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_TRUE(mensagens()[0]->isVisible());
    EXPECT_FALSE(mensagens()[0]->isModal());
    EXPECT_EQ(Linhas_Do_Log(painel, parada), 1);

    QSqlQuery(outro.Banco()).exec(QStringLiteral("ROLLBACK"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mensagens().isEmpty(); }, 10'000));
    EXPECT_EQ(Linhas_Do_Log(painel, QStringLiteral("Gravação do histórico retomada")), 1);
    EXPECT_EQ(Linhas_Do_Log(painel, parada), 1);
}

}  // namespace
}  // namespace qx7::teste
