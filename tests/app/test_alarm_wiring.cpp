// The station's alarms over a base directory: a reading beyond a limit of Preferencias.ini is
// judged after the answer is handed on (never before), raised once into the history and the log
// as a warning, acknowledged in the operator's name, cleared by a reading back inside; an alarm
// still open when the program ended goes on as the same occurrence; a delivery is stored and
// logged; the settings are read again on request and the window's out-of-range ones refused.

#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>
#include <memory>

#include "history/connection.h"
#include "station/alarm_texts.h"
#include "station/history_wiring.h"
#include "station/user_name.h"
#include "tests/app/panel_fixture.h"
#include "tests/history/history_reader.h"
#include "text/qt_1252.h"

namespace qx7::teste {
namespace {

// A reading of `tanque` with these volumes, as the gauge logic hands it over.
Leitura_Recebida Leitura_De(int tanque, int medido, int complementar) {
    const auto seis = [](int v) { return QStringLiteral("%1").arg(v, 6, 10, QLatin1Char('0')); };
    return {"A01",
            "MT",
            Para_1252(QStringLiteral("%1").arg(tanque, 3, 10, QLatin1Char('0'))),
            "0745",
            "GC",
            "010000",
            Para_1252(seis(medido)),
            Para_1252(seis(complementar)),
            "10:00:00",
            "08/12/26",
            false,
            "quadro"};
}

class Alarmes_Da_Estacao : public ::testing::Test {
  protected:
    void SetUp() override {
        QObject::connect(&bancada.estacao, &Estacao::Linha_Log,
                         [this](const std::string& linha, bool aviso) {
                             log.push_back({De_1252(linha), aviso});
                         });
    }

    void Preferencias(const QString& texto) {
        QFile arquivo(QString::fromStdString((bancada.base / Arquivo_Preferencias).string()));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        arquivo.write(texto.toUtf8());
    }

    void Iniciar() {
        historico = std::make_unique<Historico_Programa>(bancada.base, bancada.estacao);
        arquivo = historico->Servicos().arquivo;
        QCoreApplication::processEvents();  // the history's open alarms and last days read
    }

    // Hands the reading over, then lets the event loop judge it.
    void Ler(int tanque, int medido, int complementar) {
        historico->Alarmes().Leitura(Leitura_De(tanque, medido, complementar), false);
        QCoreApplication::processEvents();
    }

    // The history written out and closed.
    void Encerrar() { historico.reset(); }

    // The log lines that begin with `inicio`, each with whether it was a warning.
    std::vector<std::pair<QString, bool>> Linhas(const QString& inicio) const {
        std::vector<std::pair<QString, bool>> achadas;
        for (const auto& linha : log) {
            if (linha.first.startsWith(inicio)) {
                achadas.push_back(linha);
            }
        }
        return achadas;
    }

    Painel_De_Teste bancada;
    std::unique_ptr<Historico_Programa> historico;
    QString arquivo;
    std::vector<std::pair<QString, bool>> log;
};

TEST_F(Alarmes_Da_Estacao, LevantadoReconhecidoENormalizado) {
    Preferencias(QStringLiteral("[Alarmes]\nAlto=80\n"));
    Iniciar();
    QSignalSpy levantados(&historico->Alarmes(), &Sinais_Alarmes::Levantado);
    Servicos_Alarmes servicos = historico->Servicos().alarmes;

    historico->Alarmes().Leitura(Leitura_De(2, 9000, 1000), false);
    EXPECT_TRUE(servicos.ativos().empty());  // judged from the event loop, not on the way in
    QCoreApplication::processEvents();
    ASSERT_EQ(servicos.ativos().size(), 1u);
    Ler(2, 9100, 900);  // still above: the same occurrence
    EXPECT_EQ(levantados.count(), 1);
    EXPECT_TRUE(servicos.reconhecer(Tipo_Alarme::Alto, 2));
    EXPECT_FALSE(servicos.reconhecer(Tipo_Alarme::Alto, 2));
    Ler(2, 7000, 3000);
    EXPECT_TRUE(servicos.ativos().empty());
    Encerrar();

    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT tanque, tipo, limite, valor,"
                                                " reconhecido_por, normalizado_ms IS NOT NULL"
                                                " FROM alarmes")),
              (std::vector<QVariantList>{
                  {2, QStringLiteral("Alto"), 80.0, 90.0, Nome_Do_Operador(), 1}}));
    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT evento FROM eventos_alarme ORDER BY id")),
              (std::vector<QVariantList>{{QStringLiteral("levantado")},
                                         {QStringLiteral("reconhecido")},
                                         {QStringLiteral("normalizado")}}));
    // Raises and clears are warnings (the journal's warning priority); acknowledgements not.
    const auto levantado = Linhas(QStringLiteral("Alarme levantado: Tanque 2: Alto"));
    ASSERT_EQ(levantado.size(), 1u);
    EXPECT_TRUE(levantado[0].second);
    const auto normalizado = Linhas(QStringLiteral("Alarme normalizado: Tanque 2: Alto"));
    ASSERT_EQ(normalizado.size(), 1u);
    EXPECT_TRUE(normalizado[0].second);
    const auto reconhecido = Linhas(QStringLiteral("Alarme reconhecido por ") + Nome_Do_Operador());
    ASSERT_EQ(reconhecido.size(), 1u);
    EXPECT_FALSE(reconhecido[0].second);
}

TEST_F(Alarmes_Da_Estacao, AbertoContinuaDepoisDeReiniciar) {
    Preferencias(QStringLiteral("[Alarmes]\nBaixo=20\n"));
    Iniciar();
    Ler(5, 1000, 9000);
    Encerrar();

    Iniciar();
    const std::vector<Alarme> ativos = historico->Servicos().alarmes.ativos();
    ASSERT_EQ(ativos.size(), 1u);
    EXPECT_EQ(ativos[0].tipo, Tipo_Alarme::Baixo);
    Ler(5, 1100, 8900);  // still low: nothing new
    Ler(5, 5000, 5000);
    Encerrar();
    EXPECT_EQ(
        Consultar(arquivo, QStringLiteral("SELECT count(*), count(normalizado_ms) FROM alarmes")),
        (std::vector<QVariantList>{{1, 1}}));
}

TEST_F(Alarmes_Da_Estacao, DescargaGuardadaEContadaNoLog) {
    Iniciar();
    Ler(1, 2000, 8000);
    Ler(1, 9000, 1000);
    Ler(1, 8990, 1010);
    Encerrar();
    EXPECT_EQ(Consultar(arquivo, QStringLiteral("SELECT tanque, volume_antes, volume_depois,"
                                                " quantidade FROM descargas")),
              (std::vector<QVariantList>{{1, 2000.0, 9000.0, 7000.0}}));
    EXPECT_EQ(Linhas(QStringLiteral("Descarga no tanque 1: 7000")).size(), 1u);
}

TEST_F(Alarmes_Da_Estacao, PreferenciasRelidasEForaDaFaixaRecusadas) {
    Iniciar();
    Ler(3, 9500, 500);
    EXPECT_TRUE(historico->Servicos().alarmes.ativos().empty());  // no limits yet

    Preferencias(QStringLiteral("[Alarmes]\nMuitoAlto=90\nAlto=180\n"));
    historico->Reler_Preferencias();
    EXPECT_EQ(Linhas(QStringLiteral("Preferencias.ini [Alarmes] Alto: 180 fora de 0 a 100")).size(),
              1u);
    Ler(3, 9600, 400);
    ASSERT_EQ(historico->Servicos().alarmes.ativos().size(), 1u);

    Servicos_Alarmes servicos = historico->Servicos().alarmes;
    Config_Alarmes config = servicos.config();
    config.padrao.alto = 95;  // above MuitoAlto
    EXPECT_EQ(servicos.definir_config(config),
              QStringLiteral("Padrão: Alto (95) deve ser menor que MuitoAlto (90)"));
    EXPECT_FALSE(servicos.config().padrao.alto);
    config.padrao.alto = 85;
    EXPECT_EQ(servicos.definir_config(config), QString());
    EXPECT_EQ(servicos.config().padrao.alto, 85);
    QSettings escrito(QString::fromStdString((bancada.base / Arquivo_Preferencias).string()),
                      QSettings::IniFormat);
    EXPECT_EQ(escrito.value(QStringLiteral("Alarmes/Alto")).toDouble(), 85);
}

}  // namespace
}  // namespace qx7::teste
