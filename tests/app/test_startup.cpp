// The opening of the main panel over the scripted port: the port's settings, the recovery
// through the configuration screen, the way out, and the state the panel opens in.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include "station/startup.h"
#include "tests/app/panel_fixture.h"

namespace qx7::teste {
namespace {

const std::vector<std::string> Nove_Passos_Porta_3 = {
    "CommPort=3",      "Settings=9600,N,8,1", "InputLen=1",    "RThreshold=1",    "DTREnable=True",
    "RTSEnable=False", "PortOpen=True",       "Handshaking=0", "InBufferCount=0",
};

TEST(Inicializacao, Aplica_Os_Nove_Passos_Em_Ordem) {
    Painel_De_Teste t;
    t.Gravar_Configuracao("COM3\r\n");
    ASSERT_TRUE(t.Criar().Form_Load());
    ASSERT_GE(t.porta.operacoes.size(), Nove_Passos_Porta_3.size());
    EXPECT_EQ(std::vector<std::string>(t.porta.operacoes.begin(),
                                       t.porta.operacoes.begin() + Nove_Passos_Porta_3.size()),
              Nove_Passos_Porta_3);
    EXPECT_TRUE(t.porta.PortOpen());
    EXPECT_EQ(t.porta.porta, 3);
    EXPECT_EQ(t.configuracoes, 0);
}

TEST(Inicializacao, Porta_De_Dois_Digitos) {
    Painel_De_Teste t;
    t.Gravar_Configuracao("COM12\r\n");
    ASSERT_TRUE(t.Criar().Form_Load());
    EXPECT_EQ(t.porta.porta, 12);
}

struct Falha_Inicial {
    const char* caso;
    const char* conteudo;  // nullptr: no file at all
    int recusada;          // a port number the component refuses to open, or 0
};

class Inicializacao_Com_Falha : public testing::TestWithParam<Falha_Inicial> {};

// Every failure shows the configuration screen; once a port was picked there, the next
// attempt reads the file afresh and opens that port.
TEST_P(Inicializacao_Com_Falha, Mostra_Configuracao_E_Tenta_De_Novo) {
    const Falha_Inicial& f = GetParam();
    Painel_De_Teste t;
    if (f.conteudo != nullptr) {
        t.Gravar_Configuracao(f.conteudo);
    }
    if (f.recusada != 0) {
        t.porta.recusa_abertura[f.recusada] = "Port busy";
    }
    t.configurar = [&t] {
        EXPECT_FALSE(t.porta.PortOpen());  // nothing is left open behind the screen
        t.Gravar_Configuracao("COM5\r\n");
        return true;
    };
    ASSERT_TRUE(t.Criar().Form_Load());
    EXPECT_EQ(t.configuracoes, 1);
    EXPECT_EQ(t.perguntas, 0);
    EXPECT_EQ(t.porta.porta, 5);
    EXPECT_TRUE(t.porta.PortOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Inicializacao_Com_Falha,
    testing::Values(Falha_Inicial{"sem_arquivo", nullptr, 0}, Falha_Inicial{"vazio", "", 0},
                    Falha_Inicial{"so_CO", "CO\r\n", 0}, Falha_Inicial{"so_COM", "COM\r\n", 0},
                    Falha_Inicial{"COM0", "COM0\r\n", 0},
                    Falha_Inicial{"porta_ausente_ou_ocupada", "COM3\r\n", 3}),
    [](const testing::TestParamInfo<Falha_Inicial>& info) { return std::string(info.param.caso); });

TEST(Inicializacao, Porta_Recusada_Nao_Fica_Aberta_Entre_Tentativas) {
    Painel_De_Teste t;
    t.Gravar_Configuracao("COM3\r\n");
    t.porta.recusa_abertura[3] = "Port busy";
    int tentativas_vistas = 0;
    t.configurar = [&] {
        ++tentativas_vistas;
        EXPECT_FALSE(t.porta.PortOpen());
        if (tentativas_vistas == 2) {
            t.porta.recusa_abertura.clear();
        }
        return true;
    };
    ASSERT_TRUE(t.Criar().Form_Load());
    EXPECT_EQ(t.configuracoes, 2);
    EXPECT_EQ(t.porta.porta, 3);
}

TEST(Inicializacao, Sem_Escolha_E_Sim_Encerra_Sem_Painel) {
    Painel_De_Teste t;
    t.responder_sim = true;
    Form1& painel = t.Criar();
    EXPECT_FALSE(painel.Form_Load());
    EXPECT_EQ(t.configuracoes, 1);
    EXPECT_EQ(t.perguntas, 1);
    EXPECT_FALSE(painel.isVisible());
    EXPECT_FALSE(t.estacao.findChild<QTimer*>(QStringLiteral("Timer3"))->isActive());
    EXPECT_EQ(painel.Log().rowCount(), 0);
    EXPECT_FALSE(t.porta.PortOpen());
}

TEST(Inicializacao, Sem_Escolha_E_Nao_Mostra_A_Configuracao_De_Novo) {
    Painel_De_Teste t;
    t.configurar = [&t] {
        if (t.configuracoes == 2) {
            t.Gravar_Configuracao("COM7\r\n");
            return true;
        }
        return false;
    };
    ASSERT_TRUE(t.Criar().Form_Load());
    EXPECT_EQ(t.configuracoes, 2);
    EXPECT_EQ(t.perguntas, 1);
    EXPECT_EQ(t.porta.porta, 7);
}

// A pick that still does not work brings the screen back without the question.
TEST(Inicializacao, Escolha_Sem_Sucesso_Nao_Pergunta) {
    Painel_De_Teste t;
    t.configurar = [&t] {
        t.Gravar_Configuracao(t.configuracoes < 3 ? "COM\r\n" : "COM2\r\n");
        return true;
    };
    ASSERT_TRUE(t.Criar().Form_Load());
    EXPECT_EQ(t.configuracoes, 3);
    EXPECT_EQ(t.perguntas, 0);
    EXPECT_EQ(t.porta.porta, 2);
}

TEST(Inicializacao, Abrir_Canal_Diz_O_Motivo) {
    Painel_De_Teste t;
    std::string motivo;
    EXPECT_FALSE(
        Abrir_Canal_Serial(t.porta, Arquivo_Configuracao(t.variaveis.Diretorio_Base), motivo));
    EXPECT_FALSE(motivo.empty());
    EXPECT_TRUE(t.porta.operacoes.empty());
}

class Painel_Aberto : public testing::Test {
  protected:
    void SetUp() override {
        t.Gravar_Configuracao("COM1\r\n");
        ASSERT_TRUE(t.Criar().Form_Load());
    }
    Painel_De_Teste t;
};

TEST_F(Painel_Aberto, Estado_Desconectado) {
    EXPECT_EQ(t.Achar<QLineEdit>("Estado")->text(), "OFF-LINE");
    for (const char* moldura : {"Frame3", "Frame5", "Frame6", "Frame8"}) {
        EXPECT_FALSE(t.Achar<QGroupBox>(moldura)->isEnabled()) << moldura;
    }
    QWidget* frame5 = t.Achar<QWidget>("Frame5");
    for (int k = 0; k < 16; ++k) {
        const std::string nome = "TQ_Ativo(" + std::to_string(k) + ")";
        EXPECT_TRUE(t.Achar<QRadioButton>(nome.c_str())->isEnabledTo(frame5)) << nome;
        EXPECT_TRUE(t.estacao.Painel().Tanque_Habilitado(k)) << nome;
    }
    EXPECT_TRUE(t.Achar<QAbstractButton>("Configuração")->isEnabled());
    EXPECT_TRUE(t.Achar<QAbstractButton>("Abrir_Conexão")->isEnabled());
    EXPECT_FALSE(t.Achar<QAbstractButton>("Fechar_Conexão")->isEnabled());
    EXPECT_FALSE(t.Achar<QAbstractButton>("Leitura_Tanques")->isEnabledTo(frame5->parentWidget()));
    EXPECT_FALSE(t.variaveis.Modo_Inventario);
}

TEST_F(Painel_Aberto, Timers_Ativos_Com_Seus_Intervalos) {
    const std::pair<const char*, int> timers[] = {
        {"Timer1", 1000}, {"Timer2", 1000}, {"Timer3", 25}};
    for (const auto& [nome, intervalo] : timers) {
        const QTimer* timer = t.estacao.findChild<QTimer*>(QString::fromUtf8(nome));
        ASSERT_NE(timer, nullptr) << nome;
        EXPECT_TRUE(timer->isActive()) << nome;
        EXPECT_EQ(timer->interval(), intervalo) << nome;
    }
}

TEST_F(Painel_Aberto, Primeira_Linha_Do_Log_E_O_ID02) {
    ASSERT_GE(t.painel->Log().rowCount(), 1);
    EXPECT_EQ(t.painel->Log().Linha(0), "#Msg.=0001 Tam.Msg.TX= 004 Msg.TX= ID02");
}

TEST_F(Painel_Aberto, Primeiro_Tick_Envia_O_ID02) {
    t.estacao.Enlace_Serial().Timer3_Tick();
    EXPECT_EQ(t.porta.Saida(), std::string("\x02ID02\x03\x0C"));
}

TEST_F(Painel_Aberto, Sair_Derruba_DTR_E_RTS_E_Fecha_Em_Ordem) {
    const std::size_t antes = t.porta.operacoes.size();
    t.Achar<QAbstractButton>("Sair")->click();
    EXPECT_EQ(t.encerramentos, 1);
    ASSERT_EQ(t.operacoes_ao_encerrar.size(), antes + 3);
    EXPECT_EQ(std::vector<std::string>(t.operacoes_ao_encerrar.begin() + antes,
                                       t.operacoes_ao_encerrar.end()),
              (std::vector<std::string>{"DTREnable=False", "RTSEnable=False", "PortOpen=False"}));
    EXPECT_FALSE(t.porta.dtr);
    EXPECT_FALSE(t.porta.rts);
    EXPECT_FALSE(t.porta.PortOpen());
    EXPECT_FALSE(t.estacao.findChild<QTimer*>(QStringLiteral("Timer3"))->isActive());
}

// Requests still queued are dropped: nothing reaches the line after "Sair".
TEST_F(Painel_Aberto, Sair_Com_Pedidos_Na_Fila_Nao_Envia_Nada) {
    t.Achar<QAbstractButton>("Sair")->click();
    EXPECT_TRUE(t.porta.Saida().empty());
}

TEST_F(Painel_Aberto, Configuracao_So_Abre_A_Tela) {
    const auto operacoes = t.porta.operacoes;
    t.Achar<QAbstractButton>("Configuração")->click();
    EXPECT_EQ(t.configuracoes, 1);
    EXPECT_EQ(t.porta.operacoes, operacoes);
    EXPECT_TRUE(t.porta.PortOpen());
}

TEST_F(Painel_Aberto, Limpar_Log_Esvazia_A_Lista) {
    t.estacao.Log().Adicionar("Status: Transmiss\xE3o OK!");
    ASSERT_EQ(t.painel->Log().rowCount(), 2);
    t.Achar<QAbstractButton>("Limpar_Log")->click();
    EXPECT_EQ(t.painel->Log().rowCount(), 0);
    EXPECT_EQ(t.estacao.Enlace_Serial().Fila_TX().Indice_Grava(), 1);  // the queues are untouched
}

TEST_F(Painel_Aberto, Conectar_Abre_A_Senha_E_Pede_ID01) {
    t.Achar<QAbstractButton>("Abrir_Conexão")->click();
    EXPECT_EQ(t.telas.aberturas, std::vector<std::string>{"Senha"});
    EXPECT_EQ(t.painel->Log().Linha(t.painel->Log().rowCount() - 1),
              "#Msg.=0002 Tam.Msg.TX= 004 Msg.TX= ID01");
}

TEST_F(Painel_Aberto, Botao_De_Tanque_Escolhe_O_Tanque) {
    t.estacao.Painel().Habilitar(Controle::Frame5, true);  // as the configuration answer does
    t.Achar<QAbstractButton>("TQ_Ativo(6)")->click();
    EXPECT_EQ(t.estacao.Logica_Medidor().Tanque_Selecionado(), "07");
}

TEST_F(Painel_Aberto, Fechar_A_Janela_Fecha_A_Porta) {
    t.painel->close();
    EXPECT_FALSE(t.porta.PortOpen());
    EXPECT_FALSE(t.porta.dtr);
}

}  // namespace
}  // namespace qx7::teste
