// The station's alarms on the main panel: the title counts those not acknowledged, the
// percentage box is coloured while the tank on the panel has one, and a new alarm opens no
// window and moves no control (the offscreen desktop has no tray, which is taken in stride).

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSystemTrayIcon>
#include <vector>

#include "tests/app/panel_fixture.h"

namespace qx7::teste {
namespace {

const Alarme Alto_3{.tipo = Tipo_Alarme::Alto, .tanque = 3, .limite = 80, .valor = 90};
const Alarme Baixo_5{.tipo = Tipo_Alarme::Baixo, .tanque = 5, .limite = 20, .valor = 10};
const Alarme Silencio{.tipo = Tipo_Alarme::Sem_Resposta, .tanque = Sem_Tanque, .limite = 60};

Alarme Reconhecido(Alarme alarme) {
    alarme.reconhecido_ms = 1000;
    alarme.reconhecido_por = "maria";
    return alarme;
}

struct Caso {
    const char* nome;
    std::vector<Alarme> ativos;
    const char* tanque_no_painel;
    const char* titulo;  // after the program's own
    bool colorido;
};

const Caso Casos[] = {
    {"Nenhum", {}, "3", "", false},
    {"TanqueDoPainel", {Alto_3}, "3", " — 1 alarme não reconhecido", true},
    {"OutroTanque", {Baixo_5}, "3", " — 1 alarme não reconhecido", false},
    {"ReconhecidoNaoConta", {Reconhecido(Alto_3)}, "3", "", false},
    {"DoMedidorNaoColoreOTanqueZero",
     {Silencio, Baixo_5},
     "0",
     " — 2 alarmes não reconhecidos",
     false},
};

class Alarmes_No_Painel : public ::testing::TestWithParam<Caso> {
  protected:
    void SetUp() override {
        painel.show();
        Servicos_Historico servicos;
        servicos.arquivo = bancada.diretorio.filePath(QStringLiteral("H.sqlite"));
        servicos.alarmes = {.ativos = [this] { return ativos; }, .sinais = &sinais};
        painel.Definir_Historico(servicos);
    }

    QLineEdit* Percentual() { return bancada.Achar<QLineEdit>("Percentual"); }

    Painel_De_Teste bancada;
    Form1& painel = bancada.Criar();
    Sinais_Alarmes sinais;
    std::vector<Alarme> ativos;
};

TEST_P(Alarmes_No_Painel, TituloECorDoPercentual) {
    QLineEdit* percentual = Percentual();
    ASSERT_NE(percentual, nullptr);
    const QColor normal = percentual->palette().color(QPalette::Base);
    const QRect lugar = percentual->geometry();
    bancada.estacao.Painel().Definir_Texto(Controle::QX7_Tanque, GetParam().tanque_no_painel);

    ativos = GetParam().ativos;
    emit sinais.Mudaram();
    EXPECT_EQ(painel.windowTitle(), Titulo_Form1 + QString::fromUtf8(GetParam().titulo));
    EXPECT_EQ(percentual->palette().color(QPalette::Base) != normal, GetParam().colorido);
    EXPECT_EQ(percentual->geometry(), lugar);

    ativos.clear();
    emit sinais.Mudaram();
    EXPECT_EQ(painel.windowTitle(), Titulo_Form1);
    EXPECT_EQ(percentual->palette().color(QPalette::Base), normal);
}

INSTANTIATE_TEST_SUITE_P(Alarmes, Alarmes_No_Painel, ::testing::ValuesIn(Casos),
                         [](const auto& info) { return std::string(info.param.nome); });

// The panel shows another tank: the colour follows the tank, not the alarm's arrival.
TEST(Alarmes_No_Painel_Troca, CorSegueOTanqueMostrado) {
    Painel_De_Teste bancada;
    Form1& painel = bancada.Criar();
    Sinais_Alarmes sinais;
    Servicos_Historico servicos;
    servicos.alarmes = {.ativos = [] { return std::vector<Alarme>{Alto_3}; }, .sinais = &sinais};
    painel.Definir_Historico(servicos);
    auto* percentual = bancada.Achar<QLineEdit>("Percentual");
    ASSERT_NE(percentual, nullptr);
    bancada.estacao.Painel().Definir_Texto(Controle::QX7_Tanque, "4");
    const QColor normal = percentual->palette().color(QPalette::Base);
    bancada.estacao.Painel().Definir_Texto(Controle::QX7_Tanque, "3");
    EXPECT_NE(percentual->palette().color(QPalette::Base), normal);
    bancada.estacao.Painel().Definir_Texto(Controle::QX7_Tanque, "4");
    EXPECT_EQ(percentual->palette().color(QPalette::Base), normal);
}

TEST(Alarmes_No_Painel_Troca, NovoAlarmeNaoAbreJanela) {
    Painel_De_Teste bancada;
    Form1& painel = bancada.Criar();
    painel.show();
    Sinais_Alarmes sinais;
    Servicos_Historico servicos;
    servicos.alarmes = {.ativos = [] { return std::vector<Alarme>{Baixo_5}; }, .sinais = &sinais};
    painel.Definir_Historico(servicos);
    const QWidgetList antes = QApplication::topLevelWidgets();
    emit sinais.Levantado(QStringLiteral("Tanque 5: Baixo: 10 %"));
    emit sinais.Mudaram();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::topLevelWidgets(), antes);
    EXPECT_EQ(painel.findChild<QSystemTrayIcon*>() != nullptr,
              QSystemTrayIcon::isSystemTrayAvailable());
}

}  // namespace
}  // namespace qx7::teste
