// The station core on its own (its panel state only, no widget) against the window over it,
// both driven through the connection cycle, an inventory and a programmed series against the
// simulator engine on the scripted port: the wire carries the same bytes and the log the same
// lines, so the window adds and removes nothing.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTimer>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_panel.h"
#include "station/station.h"
#include "tests/app/panel_fixture.h"
#include "tests/support/steps.h"
#include "tests/tools/program_harness.h"
#include "tests/tools/simulator_harness.h"

namespace qx7::teste {
namespace {

using simulador::teste::Config_Teste;
using simulador::teste::Relogio_Falso;

// A station over the scripted port, its timers stopped: time advances only in the test's
// steps, the simulator engine answering on the other end.
struct Estacao_Com_Simulador {
    explicit Estacao_Com_Simulador(bool com_janela) : simulador(Config_Teste(), linha, relogio) {
        std::ofstream(Arquivo_Configuracao(base), std::ios::binary) << "COM1\r\n";
        telas.data = "061226";
        Ligar_Log();
        if (com_janela) {
            Servicos_Form1 servicos;
            servicos.abrir_configuracao = [](QWidget*) { return false; };
            servicos.confirmar_saida = [](QWidget*) { return true; };
            servicos.encerrar = [] {};
            servicos.telas = &telas;
            janela = std::make_unique<Form1>(estacao, std::move(servicos));
        } else {
            estacao.Definir_Telas(&telas);
        }
        const Ganchos_Inicializacao ganchos{[](const std::string&) { return false; },
                                            [] { return true; }};
        EXPECT_EQ(estacao.Iniciar(ganchos), Inicio_Canal::Aberto);
        for (QTimer* timer : estacao.findChildren<QTimer*>()) {
            timer->stop();
        }
    }

    void Ligar_Log() {
        QObject::connect(&estacao, &Estacao::Linha_Log,
                         [this](const std::string& linha_log, bool) { log.push_back(linha_log); });
    }

    void Passo() {
        relogio.Avancar(Passo_Timer3);
        simulador.Avancar();
        if (++passos % 40 == 0) {
            estacao.Enlace_Serial().Timer2_Tick();
        }
        estacao.Enlace_Serial().Timer3_Tick();
        const std::string saida = porta.Saida();
        if (saida.size() > entregue) {
            simulador.Receber(saida.substr(entregue));
            entregue = saida.size();
        }
    }

    bool Ocioso() {
        Enlace& enlace = estacao.Enlace_Serial();
        return enlace.Estado_Protocolo() == Enlace::Estado_Ocioso && enlace.Fila_TX().Vazia() &&
               enlace.Fila_RX().Vazia() && !simulador.Proximo_Prazo();
    }

    bool Rodar_Ate_Ocioso() {
        // A few steps first, so the request just made has gone out.
        for (int i = 0; i < 4; ++i) {
            Passo();
        }
        return Passos_Ate([this] { return Ocioso(); }, std::chrono::seconds(30),
                          [this] { Passo(); });
    }

    // The operator's action: a click on the window's button, or the same handler called on
    // the station without a window.
    void Acao(const char* botao, void (Medidor::*tratador)()) {
        if (janela) {
            auto* b = janela->findChild<QAbstractButton*>(QString::fromUtf8(botao));
            ASSERT_NE(b, nullptr) << botao;
            ASSERT_TRUE(b->isEnabled()) << botao;
            b->click();
        } else {
            (estacao.Logica_Medidor().*tratador)();
        }
    }

    QTemporaryDir diretorio;
    std::filesystem::path base = std::filesystem::path(diretorio.path().toStdString()) / "";
    Porta_Falsa porta;
    Estacao estacao{{.diretorio_base = base, .porta = &porta}};
    // The password and the series' date the operator types on the modal screens.
    simulador::teste::Telas_Falsas telas{estacao.Variaveis()};
    std::unique_ptr<Form1> janela;
    Relogio_Falso relogio;
    simulador::teste::Linha_Para_Porta linha{porta};
    simulador::Simulador simulador;
    std::vector<std::string> log;
    std::size_t entregue = 0;
    int passos = 0;
};

// The whole session: connection, inventory, programmed series; what each run left.
struct Sessao_Gravada {
    std::string fio;
    std::vector<std::string> log;
    int inventarios = 0;
    int resultados = 0;
};

Sessao_Gravada Rodar(bool com_janela) {
    Estacao_Com_Simulador e(com_janela);
    EXPECT_TRUE(e.Rodar_Ate_Ocioso());  // the start-up's "ID02"
    e.Acao("Abrir_Conexão", &Medidor::Abrir_Conexao_Click);
    EXPECT_TRUE(e.Rodar_Ate_Ocioso());
    EXPECT_EQ(e.estacao.Logica_Medidor().Estado_Conexao(), Conexao::Conectado);
    e.Acao("IV_Cmd", &Medidor::IV_Cmd_Click);
    EXPECT_TRUE(e.Rodar_Ate_Ocioso());
    e.Acao("Medição_Programada", &Medidor::Medicao_Programada_Click);
    EXPECT_TRUE(e.Rodar_Ate_Ocioso());
    return {e.porta.Saida(), e.log, e.telas.inventarios, e.telas.resultados};
}

TEST(Estacao_Sem_Janela, MesmosBytesEMesmasLinhasQueComAJanela) {
    const Sessao_Gravada sem_janela = Rodar(false);
    const Sessao_Gravada com_janela = Rodar(true);
    EXPECT_EQ(sem_janela.fio, com_janela.fio);
    EXPECT_EQ(sem_janela.log, com_janela.log);
    // Each run did its work: the inventory and the series reached their screens, and the wire
    // carried the requests of all three.
    EXPECT_EQ(sem_janela.inventarios, 1);
    EXPECT_EQ(sem_janela.resultados, 1);
    for (const char* pedido : {"ID01", "CFqx7", "MA", "MP061226"}) {
        EXPECT_NE(sem_janela.fio.find(Monta_Quadro(pedido)), std::string::npos) << pedido;
    }
}

}  // namespace
}  // namespace qx7::teste
