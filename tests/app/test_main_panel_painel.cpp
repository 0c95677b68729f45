// The main panel showing the station's panel state: texts, enabling, the tank drawing, the
// running light, what the operator types, and the port's failure report in the log.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QRegularExpression>
#include <chrono>
#include <cmath>
#include <ctime>

#include "app/main_panel_layout.h"
#include "station/serial_port_qt.h"
#include "tests/app/panel_fixture.h"
#include "tests/support/cpu_time.h"
#include "text/decimal_separator.h"

namespace qx7::teste {
namespace {

int Px(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QString Mostrado(const QWidget* w) {
    if (const auto* caixa = qobject_cast<const QLineEdit*>(w)) {
        return caixa->text();
    }
    if (const auto* rotulo = qobject_cast<const QLabel*>(w)) {
        return rotulo->text();
    }
    return QStringLiteral("<not a text control>");
}

struct Controle_Com_Nome {
    Controle controle;
    const char* nome;
};

// Every text the link and the gauge logic write, with the widget that must show it.
const Controle_Com_Nome Textos[] = {
    {Controle::Estado, "Estado"},
    {Controle::ID_Endereco, "ID_Endereço"},
    {Controle::ID_Versao, "ID_Versão"},
    {Controle::CF_NumTanques, "CF_NumTanques"},
    {Controle::CF_NumOFE, "CF_NumOFE"},
    {Controle::CF_TipoMedidor, "CF_TipoMedidor"},
    {Controle::QX7_Tanque, "QX7_Tanque"},
    {Controle::MT_Produto, "MT_Produto"},
    {Controle::MT_Densidade, "MT_Densidade"},
    {Controle::MT_Capacidade, "MT_Capacidade"},
    {Controle::MT_Vol_Medido, "MT_Vol_Medido"},
    {Controle::MT_Vol_Complementar, "MT_Vol_Complementar"},
    {Controle::MT_Data, "MT_Data"},
    {Controle::MT_Hora, "MT_Hora"},
    {Controle::Percentual, "Percentual"},
    {Controle::LR_Dia, "LR_Dia"},
    {Controle::LR_Data, "LR_Data"},
    {Controle::LR_Hora, "LR_Hora"},
    {Controle::Inf_Erro, "Inf_Erro"},
    {Controle::Comando_QX7, "Comando_QX7"},
    {Controle::Label8, "Label8"},
    {Controle::Label9, "Label9"},
    {Controle::Data, "Data"},
    {Controle::Hora, "Hora"},
};

class Painel_Textos : public testing::TestWithParam<Controle_Com_Nome> {};

TEST_P(Painel_Textos, Escreve_No_Widget_Certo_E_Le_De_Volta) {
    const Controle_Com_Nome& c = GetParam();
    Painel_De_Teste t;
    t.Criar();
    const std::string texto = "Peso Medido \xE9 75,5%";  // Windows-1252
    t.estacao.Painel().Definir_Texto(c.controle, texto);
    EXPECT_EQ(Mostrado(t.Achar<QWidget>(c.nome)), QString::fromUtf8("Peso Medido é 75,5%"));
    EXPECT_EQ(t.estacao.Painel().Texto(c.controle), texto);
}

INSTANTIATE_TEST_SUITE_P(Todos, Painel_Textos, testing::ValuesIn(Textos),
                         [](const testing::TestParamInfo<Controle_Com_Nome>& info) {
                             return std::to_string(info.index);
                         });

TEST(Painel, Habilitar_Molduras_E_Botoes) {
    Painel_De_Teste t;
    t.Criar();
    const Controle_Com_Nome habilitaveis[] = {
        {Controle::Frame3, "Frame3"},
        {Controle::Frame5, "Frame5"},
        {Controle::Frame6, "Frame6"},
        {Controle::Frame8, "Frame8"},
        {Controle::Abrir_Conexao, "Abrir_Conexão"},
        {Controle::Fechar_Conexao, "Fechar_Conexão"},
        {Controle::Configuracao, "Configuração"},
        {Controle::Leitura_Tanques, "Leitura_Tanques"},
    };
    for (const auto& [controle, nome] : habilitaveis) {
        QWidget* w = t.Achar<QWidget>(nome);
        t.estacao.Painel().Habilitar(controle, false);
        EXPECT_FALSE(w->isEnabledTo(w->parentWidget())) << nome;
        t.estacao.Painel().Habilitar(controle, true);
        EXPECT_TRUE(w->isEnabledTo(w->parentWidget())) << nome;
    }
}

// Each control the link and the gauge logic reach stands for exactly one widget of the layout.
TEST(Painel, Cada_Controle_Em_Um_So_Elemento) {
    for (std::size_t c = 0; c < Numero_Controles; ++c) {
        int elementos = 0;
        for (const Elemento_Painel& e : Layout_Form1()) {
            elementos += e.controle == static_cast<Controle>(c) ? 1 : 0;
        }
        EXPECT_EQ(elementos, 1) << "Controle " << c;
    }
}

struct Clique {
    const char* botao;
    const char* comando;                 // what Comando_QX7 shows afterwards
    std::vector<std::string> aberturas;  // the screens it opened
};

// Every button reaches its own handler: a mix-up in the wiring shows as another command.
const Clique Cliques[] = {
    {"LR_Cmd", "LR", {}},
    {"LM_Cmd", "LM07", {}},
    {"MT_Cmd", "MT07", {}},
    {"MA_Cmd", "MA", {}},
    {"IV_Cmd", "MA", {}},
    {"Transmitir", "XY", {}},
    {"Medição_Programada", "xy", {"Data", "Aviso Digitar data no formato DDMMAA!"}},
    {"Leitura_Tanques", "xy", {"Inventario"}},
};

class Painel_Cliques : public testing::TestWithParam<Clique> {};

TEST_P(Painel_Cliques, Cada_Botao_Chama_O_Seu_Tratador) {
    const Clique& c = GetParam();
    Painel_De_Teste t;
    t.Criar();
    t.Achar<QAbstractButton>("TQ_Ativo(6)")->click();
    t.estacao.Painel().Definir_Texto(Controle::Comando_QX7, "xy");
    t.Achar<QAbstractButton>(c.botao)->click();
    EXPECT_EQ(t.Achar<QLineEdit>("Comando_QX7")->text(), QString::fromUtf8(c.comando));
    EXPECT_EQ(t.telas.aberturas, c.aberturas);
}

INSTANTIATE_TEST_SUITE_P(Todos, Painel_Cliques, testing::ValuesIn(Cliques),
                         [](const testing::TestParamInfo<Clique>& info) {
                             return std::to_string(info.index);
                         });

// What the operator types goes into the state as it is typed: the command is read from there.
TEST(Painel, Texto_Digitado_Chega_Ao_Estado) {
    Painel_De_Teste t;
    t.Criar();
    QTest::keyClicks(t.Achar<QLineEdit>("Comando_QX7"), QStringLiteral("lr"));
    EXPECT_EQ(t.estacao.Painel().Texto(Controle::Comando_QX7), "lr");
    t.Achar<QAbstractButton>("Transmitir")->click();
    EXPECT_EQ(t.Achar<QLineEdit>("Comando_QX7")->text(), QStringLiteral("LR"));
    EXPECT_FALSE(t.estacao.Enlace_Serial().Fila_TX().Vazia());
}

TEST(Painel, Botoes_De_Tanque_Por_Indice) {
    Painel_De_Teste t;
    t.Criar();
    t.estacao.Painel().Habilitar_Tanque(9, false);
    QWidget* frame5 = t.Achar<QWidget>("Frame5");
    EXPECT_FALSE(t.Achar<QRadioButton>("TQ_Ativo(9)")->isEnabledTo(frame5));
    EXPECT_FALSE(t.estacao.Painel().Tanque_Habilitado(9));
    EXPECT_TRUE(t.estacao.Painel().Tanque_Habilitado(8));
    t.estacao.Painel().Habilitar(Controle::Frame5,
                                 false);  // the frame does not change the button's own state
    EXPECT_TRUE(t.estacao.Painel().Tanque_Habilitado(8));
    t.estacao.Painel().Habilitar_Tanque(16, false);  // beyond the array: ignored
    t.estacao.Painel().Habilitar_Tanque(-1, false);
    EXPECT_FALSE(t.estacao.Painel().Tanque_Habilitado(16));
    EXPECT_TRUE(t.estacao.Painel().Tanque_Habilitado(15));
}

struct Altura {
    float pedida;
    double mostrada;  // twips
};

class Painel_Altura : public testing::TestWithParam<Altura> {};

TEST_P(Painel_Altura, So_A_Altura_Muda_Dentro_Do_Tanque) {
    const Altura& a = GetParam();
    Painel_De_Teste t;
    t.Criar();
    t.estacao.Painel().Altura_Liquido(a.pedida);
    const QWidget* vazio = t.Achar<QWidget>("Altura_Líquido");
    EXPECT_EQ(vazio->geometry(), QRect(Px(360), Px(3240), Px(2535), Px(a.mostrada)));
    EXPECT_EQ(t.Achar<QWidget>("Shape1")->geometry(), QRect(Px(360), Px(3240), Px(2535), Px(1335)));
}

INSTANTIATE_TEST_SUITE_P(Casos, Painel_Altura,
                         testing::Values(Altura{333.75f, 333.75}, Altura{0.0f, 0.0},
                                         Altura{1335.0f, 1335.0}, Altura{-200.0f, 0.0},
                                         Altura{2670.0f, 1335.0}));

TEST(Painel, Um_Sinal_Aceso_De_Cada_Vez) {
    Painel_De_Teste t;
    t.Criar();
    for (int i : {0, 3, 4, 1}) {
        t.estacao.Painel().Selecionar_Sinal(i);
        for (int j = 0; j < 5; ++j) {
            const std::string nome = "Sinal(" + std::to_string(j) + ")";
            EXPECT_EQ(t.Achar<QRadioButton>(nome.c_str())->isChecked(), i == j) << nome;
        }
    }
}

TEST(Painel, Tick_Do_Timer1_Mostra_Relogio_E_Luz) {
    Painel_De_Teste t;
    t.Gravar_Configuracao("COM1\r\n");
    Form1& painel = t.Criar();
    ASSERT_TRUE(painel.Form_Load());
    t.estacao.Enlace_Serial().Timer1_Tick();  // DSR seen on: the line has it wired
    t.porta.dsr = false;
    t.estacao.Enlace_Serial().Timer1_Tick();
    EXPECT_FALSE(t.Achar<QLabel>("Data")->text().isEmpty());
    EXPECT_FALSE(t.Achar<QLabel>("Hora")->text().isEmpty());
    EXPECT_TRUE(t.Achar<QRadioButton>("Sinal(1)")->isChecked());
    EXPECT_EQ(t.Achar<QLineEdit>("Estado")->text(), "QX7 DESLIGADO");
}

using teste::Segundos_De_Cpu;

// A spinning wait burns about its wall time in CPU; one that sleeps between looks very little.
TEST(Painel, Espera_Da_Transmissao_Dorme_Em_Vez_De_Girar) {
    Painel_De_Teste t;
    t.Gravar_Configuracao("COM1\r\n");
    Form1& painel = t.Criar();
    ASSERT_TRUE(painel.Form_Load());
    t.porta.reter_saida = true;
    QTimer::singleShot(100, [&t] { t.porta.Esvaziar_Saida(); });
    const auto inicio = std::chrono::steady_clock::now();
    const double cpu = Segundos_De_Cpu();
    t.estacao.Enlace_Serial().Timer3_Tick();  // sends the start-up's "ID02", waits for the buffer
    const double gasto = Segundos_De_Cpu() - cpu;
    const std::chrono::duration<double> parede = std::chrono::steady_clock::now() - inicio;
    ASSERT_EQ(t.porta.escritas.size(), 1U);
    EXPECT_GE(parede.count(), 0.1);
    EXPECT_LT(gasto, parede.count() / 4) << "CPU " << gasto << " s in " << parede.count() << " s";
}

TEST(Painel, Falha_Da_Porta_Vai_Para_O_Log) {
    Painel_De_Teste t;
    Form1& painel = t.Criar();
    t.estacao.Porta_Perdida(QString::fromUtf8("Evento : A porta COM1 foi desligada"));
    ASSERT_EQ(painel.Log().rowCount(), 1);
    EXPECT_EQ(painel.Log().Linha(0), "Evento : A porta COM1 foi desligada");
}

}  // namespace
}  // namespace qx7::teste
