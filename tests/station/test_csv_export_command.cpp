// The command line's export: what it accepts, what it refuses with a message and exit 2, and
// the file it writes from the history without a window.

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <sstream>

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

struct Caso_Ruim {
    const char* nome;
    std::vector<const char*> argumentos;
    const char* trecho;  // of the message
};

class Argumentos_Ruins : public ::testing::TestWithParam<Caso_Ruim> {};

TEST_P(Argumentos_Ruins, MensagemESaida2) {
    std::ostringstream saida;
    std::ostringstream erros;
    const int status =
        Executar_Exportacao(Argumentos(GetParam().argumentos), "/nao-existe", saida, erros);
    EXPECT_EQ(status, Saida_Argumentos_Invalidos);
    EXPECT_NE(erros.str().find(GetParam().trecho), std::string::npos) << erros.str();
    EXPECT_NE(erros.str().find("uso: comunicacao-qx7 --exportar-csv"), std::string::npos);
    EXPECT_TRUE(saida.str().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Argumentos_Ruins,
    ::testing::Values(
        Caso_Ruim{"SemArquivo", {"--exportar-csv"}, "falta o valor de --exportar-csv"},
        Caso_Ruim{
            "OpcaoNoLugarDoArquivo", {"--exportar-csv", "--de", "2026-01-01"}, "falta o valor"},
        Caso_Ruim{"DataImpossivel",
                  {"--exportar-csv", "a.csv", "--de", "2026-02-30"},
                  "data inválida em --de"},
        Caso_Ruim{"DataDeOutroFormato",
                  {"--exportar-csv", "a.csv", "--ate", "07/12/2026"},
                  "data inválida em --ate"},
        Caso_Ruim{"TanqueZero", {"--exportar-csv", "a.csv", "--tanque", "0"}, "tanque inválido"},
        Caso_Ruim{"Tanque17", {"--exportar-csv", "a.csv", "--tanque", "17"}, "tanque inválido"},
        Caso_Ruim{
            "TanqueTexto", {"--exportar-csv", "a.csv", "--tanque", "três"}, "tanque inválido"},
        Caso_Ruim{"DesconhecidaOpcao",
                  {"--exportar-csv", "a.csv", "--porta", "COM1"},
                  "opção desconhecida: --porta"},
        Caso_Ruim{"PeriodoAoContrario",
                  {"--exportar-csv", "a.csv", "--de", "2026-12-07", "--ate", "2026-12-01"},
                  "posterior"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Pedido_Exportacao, PeriodoDeDiasInteirosETanques) {
    QString erro;
    const auto pedido =
        Ler_Pedido_Exportacao(Argumentos({"--tanque", "3", "--exportar-csv", "x.csv", "--de",
                                          "2026-12-01", "--ate", "2026-12-07", "--tanque", "12"}),
                              erro);
    ASSERT_TRUE(pedido) << erro.toStdString();
    EXPECT_EQ(pedido->destino, QStringLiteral("x.csv"));
    EXPECT_EQ(pedido->filtro.de_ms, QDate(2026, 12, 1).startOfDay().toMSecsSinceEpoch());
    EXPECT_EQ(pedido->filtro.ate_ms, QDate(2026, 12, 8).startOfDay().toMSecsSinceEpoch());
    EXPECT_EQ(pedido->filtro.tanques, (std::vector<int>{3, 12}));
}

TEST(Pede_Exportacao, SoComAOpcao) {
    const char* com[] = {"comunicacao-qx7", "-platform", "offscreen", "--exportar-csv", "a"};
    const char* sem[] = {"--exportar-csv"};  // the program's own name is not an option
    EXPECT_TRUE(Pede_Exportacao(5, com));
    EXPECT_FALSE(Pede_Exportacao(3, com));
    EXPECT_FALSE(Pede_Exportacao(1, sem));
}

// Readings of tanks 1 and 2 on 1 and 2 December, written by the program's own writer.
void Gravar_Historico(const QString& base) {
    Gravador_Historico gravador({Arquivo_No_Diretorio(base.toStdString(), Arquivo_Historico), {}});
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

QStringList Linhas(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(arquivo.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

TEST(Executar_Exportacao, GravaAsLeiturasDoFiltro) {
    QTemporaryDir base;
    Gravar_Historico(base.path());
    const QString destino = base.filePath(QStringLiteral("saida.csv"));
    std::ostringstream saida;
    std::ostringstream erros;
    const int status = Executar_Exportacao(
        QStringList{QStringLiteral("--exportar-csv"), destino, QStringLiteral("--ate"),
                    QStringLiteral("2026-12-01"), QStringLiteral("--tanque"), QStringLiteral("2")},
        base.path().toStdString(), saida, erros);
    EXPECT_EQ(status, 0) << erros.str();
    const QStringList linhas = Linhas(destino);
    ASSERT_EQ(linhas.size(), 2) << linhas.join(QLatin1Char('|')).toStdString();  // header + one
    EXPECT_TRUE(linhas[1].contains(QStringLiteral("01/12/26")));
    EXPECT_NE(saida.str().find("saida.csv"), std::string::npos);
}

TEST(Executar_Exportacao, FalhasDaoSaida1) {
    QTemporaryDir base;
    std::ostringstream saida;
    std::ostringstream erros;
    const QStringList pedido{QStringLiteral("--exportar-csv"),
                             base.filePath(QStringLiteral("a.csv"))};
    EXPECT_EQ(Executar_Exportacao(pedido, base.path().toStdString(), saida, erros),
              Saida_Falha_Exportacao);
    EXPECT_NE(erros.str().find("não foi possível abrir o histórico"), std::string::npos);

    Gravar_Historico(base.path());
    const QStringList sem_pasta{QStringLiteral("--exportar-csv"),
                                base.filePath(QStringLiteral("nao-existe/a.csv"))};
    EXPECT_EQ(Executar_Exportacao(sem_pasta, base.path().toStdString(), saida, erros),
              Saida_Falha_Exportacao);
    EXPECT_FALSE(QFile::exists(base.filePath(QStringLiteral("nao-existe/a.csv"))));
}

}  // namespace
}  // namespace qx7::teste
