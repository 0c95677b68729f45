// Every element of the main panel stands where the layout puts it, with its caption and font.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <cmath>

#include "tests/app/panel_fixture.h"

namespace qx7::teste {
namespace {

struct Esperado {
    const char* nome;
    const char* pai;
    const char* legenda;
    int left, top, width, height;
    const char* fonte;
};

constexpr const char* Sans = "MS Sans Serif";

// Positions in twips, as the panel's design gives them.
const Esperado Elementos[] = {
    {"Picture1", "Form1", "", 120, 120, 3285, 735, Sans},
    {"Frame1", "Form1", "Processando Mensagens Recebidas", 120, 840, 3255, 855, "Arial"},
    {"Frame3", "Form1", "Informações da Medição", 120, 1800, 3255, 5205, Sans},
    {"Frame2", "Form1", "Painel de Controle - QX7/QXV7", 3480, 0, 5775, 7215, "Arial"},
    {"Label7", "Form1", "Log de Comunicação :", 120, 7080, 1815, 255, "Arial"},
    {"Msg_Log", "Form1", "", 120, 7320, 9135, 2340, "Courier New"},
    {"Sinal(0)", "Frame1", "", 120, 360, 255, 255, Sans},
    {"Sinal(1)", "Frame1", "", 360, 360, 255, 255, Sans},
    {"Sinal(2)", "Frame1", "", 600, 360, 375, 255, Sans},
    {"Sinal(3)", "Frame1", "", 840, 360, 255, 255, Sans},
    {"Sinal(4)", "Frame1", "", 1080, 360, 255, 255, Sans},
    {"Label5", "Frame1", "Data >", 1440, 240, 615, 255, Sans},
    {"Data", "Frame1", "", 2160, 240, 975, 255, Sans},
    {"Label6", "Frame1", "Hora >", 1440, 480, 735, 255, Sans},
    {"Hora", "Frame1", "", 2160, 480, 975, 255, Sans},
    {"Label18", "Frame3", "Tanque", 240, 360, 855, 255, Sans},
    {"QX7_Tanque", "Frame3", "", 240, 600, 855, 285, Sans},
    {"Label4", "Frame3", "Produto", 1320, 360, 735, 255, Sans},
    {"MT_Produto", "Frame3", "", 1320, 600, 735, 285, Sans},
    {"Label3", "Frame3", "Densidade", 2160, 360, 975, 255, Sans},
    {"MT_Densidade", "Frame3", "", 2160, 600, 975, 285, Sans},
    {"Label2", "Frame3", "Capacidade", 120, 1200, 1095, 255, Sans},
    {"MT_Capacidade", "Frame3", "", 2160, 1200, 975, 285, Sans},
    {"Label8", "Frame3", "Volume Medido", 120, 1560, 1935, 255, Sans},
    {"MT_Vol_Medido", "Frame3", "", 2160, 1560, 975, 285, Sans},
    {"Label9", "Frame3", "Volume Complementar", 120, 1920, 1935, 255, Sans},
    {"MT_Vol_Complementar", "Frame3", "", 2160, 1920, 975, 285, Sans},
    {"Label10", "Frame3", "Data", 120, 2280, 615, 255, Sans},
    {"MT_Data", "Frame3", "", 2160, 2280, 975, 285, Sans},
    {"Label11", "Frame3", "Hora", 120, 2760, 735, 255, Sans},
    {"MT_Hora", "Frame3", "", 2160, 2640, 975, 285, Sans},
    {"Shape1", "Frame3", "", 360, 3240, 2535, 1335, Sans},
    {"Altura_Líquido", "Frame3", "", 360, 3240, 2535, 1335, Sans},
    {"Shape2", "Frame3", "", 840, 3120, 495, 165, Sans},
    {"Shape3", "Frame3", "", 2400, 3120, 135, 165, Sans},
    {"Inf_Percentual", "Frame3", "Com produto", 600, 4800, 1095, 255, Sans},
    {"Percentual", "Frame3", "", 1800, 4680, 855, 345, Sans},
    {"Frame7", "Frame2", "Informações do Medidor", 120, 240, 4095, 1455, Sans},
    {"Frame4", "Frame2", "Relógio", 120, 1680, 4095, 615, Sans},
    {"Frame8", "Frame2", "Informações - Comando", 120, 2400, 4095, 615, Sans},
    {"Frame5", "Frame2", "Escolha o tanque e Execute o comando", 120, 3000, 4095, 2175, Sans},
    {"Frame6", "Frame2", "Executar comandos ", 120, 5160, 5535, 1935, Sans},
    {"Frame9", "Frame2", "Controles", 4200, 240, 1455, 4935, Sans},
    {"Label16", "Frame7", "Endereço", 120, 240, 975, 255, Sans},
    {"ID_Endereço", "Frame7", "", 120, 480, 975, 285, Sans},
    {"Label15", "Frame7", "Versão", 1440, 240, 735, 255, Sans},
    {"ID_Versão", "Frame7", "", 1440, 480, 735, 285, Sans},
    {"Label17", "Frame7", "Status", 2280, 240, 1695, 255, Sans},
    {"Estado", "Frame7", "", 2280, 480, 1695, 285, Sans},
    {"Label19", "Frame7", "No. Tanques", 120, 840, 975, 255, Sans},
    {"CF_NumTanques", "Frame7", "", 120, 1080, 975, 285, Sans},
    {"Label20", "Frame7", "No. OFE", 1440, 840, 975, 255, Sans},
    {"CF_NumOFE", "Frame7", "", 1440, 1080, 975, 285, Sans},
    {"Label21", "Frame7", "Tipo de Medidor", 2520, 840, 1455, 255, Sans},
    {"CF_TipoMedidor", "Frame7", "", 2520, 1080, 1455, 285, Sans},
    {"Label12", "Frame4", "Dia", 120, 240, 360, 255, Sans},
    {"LR_Dia", "Frame4", "", 480, 240, 495, 285, Sans},
    {"Label13", "Frame4", "Data", 1080, 240, 480, 255, Sans},
    {"LR_Data", "Frame4", "", 1560, 240, 975, 285, Sans},
    {"Label14", "Frame4", "Hora", 2640, 240, 480, 255, Sans},
    {"LR_Hora", "Frame4", "", 3120, 240, 855, 285, Sans},
    {"Inf_Erro", "Frame8", "", 120, 240, 3855, 285, Sans},
    {"TQ_Ativo(0)", "Frame5", "TQ 01", 120, 240, 855, 255, Sans},
    {"TQ_Ativo(1)", "Frame5", "TQ 02", 120, 480, 855, 255, Sans},
    {"TQ_Ativo(2)", "Frame5", "TQ 03", 120, 720, 855, 255, Sans},
    {"TQ_Ativo(3)", "Frame5", "TQ 04", 120, 960, 855, 255, Sans},
    {"TQ_Ativo(4)", "Frame5", "TQ 05", 1080, 240, 855, 255, Sans},
    {"TQ_Ativo(5)", "Frame5", "TQ 06", 1080, 480, 855, 255, Sans},
    {"TQ_Ativo(6)", "Frame5", "TQ 07", 1080, 720, 855, 255, Sans},
    {"TQ_Ativo(7)", "Frame5", "TQ 08", 1080, 960, 855, 255, Sans},
    {"TQ_Ativo(8)", "Frame5", "TQ 09", 2040, 240, 855, 255, Sans},
    {"TQ_Ativo(9)", "Frame5", "TQ 10", 2040, 480, 855, 255, Sans},
    {"TQ_Ativo(10)", "Frame5", "TQ 11", 2040, 720, 855, 255, Sans},
    {"TQ_Ativo(11)", "Frame5", "TQ 12", 2040, 960, 855, 255, Sans},
    {"TQ_Ativo(12)", "Frame5", "TQ 13", 3000, 240, 855, 255, Sans},
    {"TQ_Ativo(13)", "Frame5", "TQ 14", 3000, 480, 855, 255, Sans},
    {"TQ_Ativo(14)", "Frame5", "TQ 15", 3000, 720, 855, 255, Sans},
    {"TQ_Ativo(15)", "Frame5", "TQ 16", 3000, 960, 855, 255, Sans},
    {"LM_Cmd", "Frame5", "Consultar Memória", 120, 1320, 1215, 735, Sans},
    {"MT_Cmd", "Frame5", "Medir um Tanque", 1440, 1320, 1215, 735, Sans},
    {"Medição_Programada", "Frame5", "Medição Programada", 2760, 1320, 1215, 735, Sans},
    {"LR_Cmd", "Frame6", "Ler Relógio", 120, 240, 1215, 735, Sans},
    {"Historico_Cmd", "Frame6", "Histórico", 1440, 240, 1215, 735, Sans},
    {"Label1", "Frame6", "Comando", 2760, 240, 1335, 255, Sans},
    {"Comando_QX7", "Frame6", "", 2760, 480, 1335, 315, "Arial"},
    {"Transmitir", "Frame6", "Transmitir Comando", 4200, 240, 1215, 735, Sans},
    {"MA_Cmd", "Frame6", "Ler Todos os Tanques", 120, 1080, 1215, 735, Sans},
    {"IV_Cmd", "Frame6", "Efetuar Inventário", 1440, 1080, 1215, 735, Sans},
    {"Leitura_Tanques", "Frame6", "Leitura dos Tanques", 4200, 1080, 1215, 735, Sans},
    {"Abrir_Conexão", "Frame9", "Conectar QX7/QXV7", 120, 240, 1215, 735, Sans},
    {"Fechar_Conexão", "Frame9", "Desconectar QX7/QXV7", 120, 1200, 1215, 735, Sans},
    {"Configuração", "Frame9", "Configurar Programa", 120, 2160, 1215, 735, Sans},
    {"Limpar_Log", "Frame9", "Limpar Log", 120, 3120, 1215, 735, Sans},
    {"Sair", "Frame9", "Sair", 120, 4080, 1215, 735, Sans},
};

int Px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QString Legenda(const QWidget& w) {
    if (const auto* rotulo = qobject_cast<const QLabel*>(&w)) {
        return rotulo->text();
    }
    if (const auto* moldura = qobject_cast<const QGroupBox*>(&w)) {
        return moldura->title();
    }
    if (const auto* botao = qobject_cast<const QAbstractButton*>(&w)) {
        return botao->text();
    }
    if (const auto* caixa = qobject_cast<const QLineEdit*>(&w)) {
        return caixa->text();
    }
    return {};
}

class Layout_Form1 : public testing::TestWithParam<Esperado> {
  protected:
    static void SetUpTestSuite() {
        fixture_ = new Painel_De_Teste;
        fixture_->Criar();
    }
    static void TearDownTestSuite() {
        delete fixture_;
        fixture_ = nullptr;
    }
    static Painel_De_Teste* fixture_;
};

Painel_De_Teste* Layout_Form1::fixture_ = nullptr;

TEST_P(Layout_Form1, Elemento_No_Lugar_Com_Legenda_E_Fonte) {
    const Esperado& e = GetParam();
    const QWidget* w = fixture_->Achar<QWidget>(e.nome);
    ASSERT_NE(w, nullptr) << e.nome;
    ASSERT_NE(w->parentWidget(), nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), QString::fromUtf8(e.pai)) << e.nome;
    EXPECT_EQ(w->geometry(), QRect(Px(e.left), Px(e.top), Px(e.width), Px(e.height))) << e.nome;
    EXPECT_EQ(Legenda(*w), QString::fromUtf8(e.legenda)) << e.nome;
    EXPECT_EQ(w->font().family(), QString::fromLatin1(e.fonte)) << e.nome;
    EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 8.25) << e.nome;
}

std::string Nome_Do_Caso(const testing::TestParamInfo<Esperado>& info) {
    std::string nome;
    for (const char* c = info.param.nome; *c != '\0'; ++c) {
        const auto u = static_cast<unsigned char>(*c);
        nome += std::isalnum(u) != 0 ? *c : '_';
    }
    return nome + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Todos, Layout_Form1, testing::ValuesIn(Elementos), Nome_Do_Caso);

TEST(Form1_Janela, Legenda_Area_E_Tipos) {
    Painel_De_Teste t;
    Form1& painel = t.Criar();
    EXPECT_EQ(painel.windowTitle(), QString::fromUtf8("Comunicação - QX7/QXV7 - Versão 1.00f"));
    EXPECT_EQ(painel.size(), QSize(Px(9330), Px(9705)));
    for (int k = 0; k < 16; ++k) {
        const std::string nome = "TQ_Ativo(" + std::to_string(k) + ")";
        EXPECT_NE(t.Achar<QRadioButton>(nome.c_str()), nullptr) << nome;
    }
    for (int i = 0; i < 5; ++i) {
        const std::string nome = "Sinal(" + std::to_string(i) + ")";
        EXPECT_NE(t.Achar<QRadioButton>(nome.c_str()), nullptr) << nome;
    }
    for (const char* caixa : {"Estado", "ID_Endereço", "Comando_QX7", "Inf_Erro", "Percentual"}) {
        EXPECT_NE(t.Achar<QLineEdit>(caixa), nullptr) << caixa;
    }
    for (const char* timer : {"Timer1", "Timer2", "Timer3"}) {
        EXPECT_NE(t.estacao.findChild<QTimer*>(QString::fromUtf8(timer)), nullptr) << timer;
    }
}

// The elements listed above are all the panel's widgets: nothing stray was added.
TEST(Form1_Janela, Nenhum_Elemento_Alem_Dos_Listados) {
    Painel_De_Teste t;
    t.Criar();
    QStringList esperados;
    for (const Esperado& e : Elementos) {
        esperados << QString::fromUtf8(e.nome);
    }
    for (const QWidget* w : t.painel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(esperados.contains(w->objectName())) << w->objectName().toStdString();
    }
    for (const char* moldura : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6",
                                "Frame7", "Frame8", "Frame9"}) {
        for (const QWidget* w :
             t.Achar<QWidget>(moldura)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(esperados.contains(w->objectName())) << w->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace qx7::teste
