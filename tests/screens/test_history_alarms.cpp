// The history window's alarms, deliveries and forecast: the settings edited under the file's
// keys and refused with the reason, the active alarms acknowledged through the program, the
// log and the deliveries read from the file and exported (and reported) like the other tabs,
// the window alone showing the log only; the "Tanques" tab's forecast from the file's last days.

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include "screens/history/alarms_tab.h"
#include "screens/history/forecast_view.h"
#include "station/alarm_settings.h"
#include "tests/screens/history_window_fixture.h"

namespace qx7::teste {
namespace {

const Alarme Alto_3{.tipo = Tipo_Alarme::Alto,
                    .tanque = 3,
                    .limite = 80,
                    .valor = 90.5,
                    .levantado_ms = Inicio(Dia_1)};
const Alarme Silencio{.tipo = Tipo_Alarme::Sem_Resposta,
                      .tanque = Sem_Tanque,
                      .limite = 60,
                      .valor = 61,
                      .levantado_ms = Inicio(Dia_1) + Minuto_Ms};

// The station as the window sees it: the settings in force, the active alarms, the requests.
struct Estacao_Falsa {
    Config_Alarmes config;
    std::vector<Alarme> ativos;
    std::vector<std::pair<Tipo_Alarme, int>> reconhecidos;
    Sinais_Alarmes sinais;

    Servicos_Alarmes Servicos() {
        return {.config = [this] { return config; },
                .definir_config =
                    [this](const Config_Alarmes& nova) {
                        QString motivo = Motivo_Recusa(nova);
                        if (motivo.isEmpty()) {
                            config = nova;
                        }
                        return motivo;
                    },
                .ativos = [this] { return ativos; },
                .reconhecer =
                    [this](Tipo_Alarme tipo, int tanque) {
                        reconhecidos.emplace_back(tipo, tanque);
                        return true;
                    },
                .sinais = &sinais};
    }
};

struct Historico_Alarmes : Historico_Janela {
    void SetUp() override {
        anterior_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    }
    void TearDown() override { QLocale::setDefault(anterior_); }

    Janela_Historico& Abrir_Com_Estacao() {
        Servicos_Historico servicos = Servicos(historico.Arquivo(), programa);
        servicos.alarmes = estacao.Servicos();
        tela = std::make_unique<Janela_Historico>(servicos);
        return *tela;
    }

    QWidget& Aba(const char* nome) {
        QWidget& aba = Achar<QWidget>(*tela, nome);
        auto& abas = Achar<QTabWidget>(*tela, "Abas");
        for (int i = 0; i < abas.count(); ++i) {
            if (abas.widget(i)->isAncestorOf(&aba)) {
                abas.setCurrentIndex(i);
            }
        }
        return aba;
    }

    void Inserir_Alarme(const Alarme& a, std::optional<qint64> normalizado_ms) {
        QSqlQuery q(historico.Banco());
        q.prepare(QStringLiteral(
            "INSERT INTO alarmes (tanque, tipo, limite, valor, levantado_ms, normalizado_ms,"
            " reconhecido_ms, reconhecido_por) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const QVariant& v :
             {a.tanque == Sem_Tanque ? QVariant(QMetaType::fromType<int>()) : QVariant(a.tanque),
              QVariant(QString::fromUtf8(Descrever(a.tipo).nome)), QVariant(a.limite),
              QVariant(a.valor), QVariant(static_cast<qint64>(a.levantado_ms)),
              normalizado_ms ? QVariant(*normalizado_ms) : QVariant(QMetaType::fromType<qint64>()),
              QVariant(QMetaType::fromType<qint64>()), QVariant(QString())}) {
            q.addBindValue(v);
        }
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }

    Estacao_Falsa estacao;

  private:
    QLocale anterior_;
};

struct Caso_Edicao {
    const char* nome;
    int linha, coluna;  // of the levels' table: row 0 the defaults, column by Chaves_Nivel
    const char* texto;
    const char* resultado;
};

const Caso_Edicao Edicoes[] = {
    {"TanqueProprio", 3, 2, "90", "Gravado em Preferencias.ini e em vigor."},
    {"ForaDaFaixa", 0, 3, "120", "Não gravado: MuitoAlto: 120 fora de 0 a 100"},
    {"NaoENumero", 3, 2, "muito", "Não gravado: Tanque3\\Alto: «muito» não é um número"},
};

class Edicao_Alarmes : public Historico_Alarmes,
                       public ::testing::WithParamInterface<Caso_Edicao> {};

TEST_P(Edicao_Alarmes, GravadaOuRecusadaComOMotivo) {
    estacao.config.padrao.alto = 80;
    Abrir_Com_Estacao();
    QWidget& aba = Aba("Aba_Alarmes");
    auto& niveis = Achar<QTableWidget>(aba, "Niveis_Alarmes");
    ASSERT_EQ(niveis.item(0, 2)->text(), QStringLiteral("80"));
    niveis.item(GetParam().linha, GetParam().coluna)->setText(QString::fromUtf8(GetParam().texto));
    const Config_Alarmes antes = estacao.config;
    Achar<QPushButton>(aba, "Gravar_Alarmes").click();
    const QString resultado = QString::fromUtf8(GetParam().resultado);
    EXPECT_EQ(Achar<QLabel>(aba, "Resultado_Alarmes").text(), resultado);
    const bool gravado = !resultado.startsWith(QStringLiteral("Não"));
    EXPECT_EQ(estacao.config != antes, gravado);
    if (gravado) {
        const Limites_Nivel limites = GetParam().linha == 0
                                          ? estacao.config.padrao
                                          : estacao.config.tanques.at(GetParam().linha);
        EXPECT_EQ(limites.*Chaves_Nivel[static_cast<std::size_t>(GetParam().coluna)].membro,
                  Numero_Preferencia(QString::fromUtf8(GetParam().texto)));
        EXPECT_EQ(estacao.config.padrao.alto, 80);  // the rest as it was
    }
}

INSTANTIATE_TEST_SUITE_P(Alarmes, Edicao_Alarmes, ::testing::ValuesIn(Edicoes),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Historico_Alarmes, AtivosReconhecidosPeloPrograma) {
    estacao.ativos = {Alto_3, Silencio};
    Abrir_Com_Estacao();
    QWidget& aba = Aba("Aba_Alarmes");
    auto& ativos = Achar<QTableView>(aba, "Alarmes_Ativos");
    ASSERT_EQ(ativos.model()->rowCount(), 2);
    EXPECT_EQ(Texto(ativos, 0, 1), QStringLiteral("Tanque 3: Alto"));
    EXPECT_EQ(Celula(ativos, 0, 2), QStringLiteral("90.5"));
    EXPECT_EQ(Texto(ativos, 1, 1), QStringLiteral("Medidor sem resposta"));
    ativos.selectRow(1);
    Achar<QPushButton>(aba, "Reconhecer").click();
    EXPECT_EQ(estacao.reconhecidos,
              (std::vector<std::pair<Tipo_Alarme, int>>{{Tipo_Alarme::Sem_Resposta, Sem_Tanque}}));

    Alarme reconhecido = Silencio;
    reconhecido.reconhecido_ms = Inicio(Dia_1) + 2 * Minuto_Ms;
    reconhecido.reconhecido_por = "maria";
    estacao.ativos = {reconhecido};
    emit estacao.sinais.Mudaram();
    ASSERT_EQ(ativos.model()->rowCount(), 1);
    EXPECT_EQ(Texto(ativos, 0, 6), QStringLiteral("maria"));
}

TEST_F(Historico_Alarmes, RegistroDoArquivoExportadoERelatado) {
    Inserir_Alarme(Alto_3, Inicio(Dia_1) + 10 * Minuto_Ms);
    Inserir_Alarme(Silencio, std::nullopt);
    estacao.ativos = {Silencio};
    Abrir_Com_Estacao();
    Aba("Aba_Alarmes");
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("Alarmes.csv"));
    QString erro;
    ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(Linhas_Do_Arquivo(pasta.filePath(QStringLiteral("Alarmes_Registro.csv"))),
              (QStringList{"Levantado em;Alarme;Valor;Limite;Unidade;Normalizado em;"
                           "Reconhecido em;Reconhecido por",
                           "2024-02-01 00:01:00;Medidor sem resposta;61;60;min;;;",
                           "2024-02-01 00:00:00;Tanque 3: Alto;90,5;80;%;2024-02-01 00:10:00;;"}));
    EXPECT_EQ(Linhas_Do_Arquivo(caminho).size(), 2);  // the active one, under its header
    const Relatorio relatorio = Achar<Aba_Alarmes>(*tela, "Aba_Alarmes").Montar_Relatorio();
    ASSERT_EQ(relatorio.tabelas.size(), 2u);
    EXPECT_EQ(relatorio.tabelas[1].linhas, 2);
}

TEST_F(Historico_Alarmes, JanelaSozinhaMostraSoORegistro) {
    Inserir_Alarme(Alto_3, std::nullopt);
    Abrir();
    QWidget& aba = Aba("Aba_Alarmes");
    EXPECT_FALSE(Achar<QWidget>(aba, "Niveis_Alarmes").isVisibleTo(tela.get()));
    EXPECT_FALSE(Achar<QWidget>(aba, "Alarmes_Ativos").isVisibleTo(tela.get()));
    EXPECT_EQ(Achar<QTableView>(aba, "Registro_Alarmes").model()->rowCount(), 1);
}

TEST_F(Historico_Alarmes, DescargasListadasEExportadas) {
    QSqlQuery q(historico.Banco());
    ASSERT_TRUE(
        q.exec(QStringLiteral(
                   "INSERT INTO descargas (tanque, inicio_ms, fim_ms, volume_antes, volume_depois,"
                   " quantidade, unidade) VALUES (2, %1, %2, 4000, 19000.5, 15000.5, 'V')")
                   .arg(Inicio(Dia_1))
                   .arg(Inicio(Dia_1) + 30 * Minuto_Ms)));
    Abrir();
    Aba("Aba_Descargas");
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("Descargas.csv"));
    QString erro;
    ASSERT_TRUE(tela->Exportar_Csv(caminho, erro)) << erro.toStdString();
    EXPECT_EQ(
        Linhas_Do_Arquivo(caminho),
        (QStringList{"Início;Fim;Tanque;Antes;Depois;Quantidade;Unidade",
                     "2024-02-01 00:00:00;2024-02-01 00:30:00;2;4000;19000,5;15000,5;volume"}));
}

// Tank 1 falls 1,000 a day out of 10,000 over seven days; its "Baixo" is 20 %.
TEST_F(Historico_Alarmes, PrevisaoNaAbaTanques) {
    ASSERT_TRUE(historico.Banco().transaction());
    for (qint64 t = 0; t <= 7 * Dia_Ms; t += 60 * Minuto_Ms) {
        const double medido = 9500 - 1000.0 * static_cast<double>(t) / Dia_Ms;
        historico.Inserir_Leitura({.instante_ms = Inicio(Dia_1) + t,
                                   .tanque = 1,
                                   .medido = medido,
                                   .complementar = 10000 - medido});
    }
    ASSERT_TRUE(historico.Banco().commit());
    estacao.config.padrao.baixo = 20;
    Abrir_Com_Estacao();
    const QStandardItemModel& previsao = Tanques().Previsao().Modelo();
    ASSERT_EQ(previsao.rowCount(), 1);
    EXPECT_NEAR(previsao.index(0, 1).data(Papel_Numero).toDouble(), 1000, 1);
    // 500 left above "Baixo" (2,000) at 1,000 a day: half a day after the last reading.
    const qint64 ultima = Inicio(Dia_1) + 7 * Dia_Ms;
    EXPECT_NEAR(previsao.index(0, 2).data(Papel_Instante).toLongLong(), ultima + Dia_Ms / 2,
                Minuto_Ms);
    EXPECT_NEAR(previsao.index(0, 3).data(Papel_Instante).toLongLong(), ultima + 5 * Dia_Ms / 2,
                Minuto_Ms);
}

}  // namespace
}  // namespace qx7::teste
