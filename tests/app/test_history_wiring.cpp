// The program's history over a base directory: the automatic reading's interval survives a
// restart in the preferences file, a refused one changes nothing, and the link's counters
// reach the file when the program ends.

#include <gtest/gtest.h>

#include <QDir>
#include <memory>

#include "history/connection.h"
#include "history/queries.h"
#include "station/history_wiring.h"
#include "tests/app/panel_fixture.h"

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

}  // namespace
}  // namespace qx7::teste
