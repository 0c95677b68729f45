#pragma once
// The simulator engine wired in memory to the program's own link and gauge logic: what the
// link writes to its port reaches the simulator, what the simulator writes arrives at the
// port as received bytes. Time advances in Timer3 steps of 25 ms, Timer2 every second.

#include <algorithm>
#include <string>
#include <vector>

#include "gauge/medidor.h"
#include "link/codepage.h"
#include "link/link.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/fakes.h"
#include "tests/support/steps.h"
#include "tests/tools/simulator_harness.h"

namespace qx7::simulador::teste {

class Telas_Falsas : public Telas {
  public:
    explicit Telas_Falsas(Variaveis_Programa& variaveis) : variaveis_(variaveis) {}
    void Abrir_Senha() override { variaveis_.Senha_Usuario = senha; }
    bool Abrir_Data() override {
        variaveis_.Data_Solicitada = data;
        return true;
    }
    void Abrir_Resultados() override { ++resultados; }
    void Abrir_Inventario() override { ++inventarios; }
    void Aviso(std::string_view texto, std::string_view) override { avisos.emplace_back(texto); }

    std::string senha = "qx7";
    std::string data;
    int resultados = 0;
    int inventarios = 0;
    std::vector<std::string> avisos;

  private:
    Variaveis_Programa& variaveis_;
};

// The simulator's output goes into the program's port as received bytes.
class Linha_Para_Porta : public Linha {
  public:
    explicit Linha_Para_Porta(qx7::teste::Porta_Falsa& porta) : porta_(porta) {}
    void Escrever(std::string_view bytes) override { porta_.Receber(bytes); }

  private:
    qx7::teste::Porta_Falsa& porta_;
};

struct Programa_Com_Simulador {
    explicit Programa_Com_Simulador(Config_Simulador config = Config_Teste())
        : simulador(std::move(config), linha, relogio) {
        enlace.Processar_Mensagem_Recebida = [this](const std::string& Msg_RX) {
            medidor.Processar_Mensagem_Recebida(Msg_RX);
        };
        porta.CommPort(1);  // open, as the panel leaves it after its opening
        porta.PortOpen(true);
        medidor.Inicializar_Variaveis();
    }

    // One Timer3 step: the simulator's due output, the engine's tick, the program's output
    // handed to the simulator.
    void Passo() {
        relogio.Avancar(std::chrono::milliseconds(25));
        simulador.Avancar();
        if (++passos % 40 == 0) {
            enlace.Timer2_Tick();
        }
        enlace.Timer3_Tick();
        Entregar();
    }

    void Rodar(std::chrono::milliseconds duracao) {
        for (auto n = duracao / std::chrono::milliseconds(25); n > 0; --n) {
            Passo();
        }
    }

    // Steps until the condition holds, at most `limite` of simulated time.
    template <typename Condicao>
    bool Rodar_Ate(Condicao condicao, std::chrono::milliseconds limite) {
        return qx7::teste::Passos_Ate(condicao, limite, [this] { Passo(); });
    }

    void Entregar() {
        const std::string saida = porta.Saida();
        const std::string novo = saida.substr(entregue);
        entregue = saida.size();
        if (!novo.empty()) {
            simulador.Receber(novo);
        }
    }

    // Connects as the operator does, until the commands are unlocked.
    bool Conectar() {
        medidor.Abrir_Conexao_Click();
        return Rodar_Ate([this] { return painel.Habilitado(Controle::Frame5); },
                         std::chrono::seconds(2));
    }

    std::string Texto(Controle controle) const { return painel.Texto(controle); }

    int Linhas_Do_Registro(std::string_view utf8) const {
        const std::string linha = cp1252(utf8);
        return static_cast<int>(std::count(registro.linhas.begin(), registro.linhas.end(), linha));
    }

    Relogio_Falso relogio;
    qx7::teste::Porta_Falsa porta;
    qx7::teste::Plataforma_Falsa plataforma;
    qx7::teste::Registro_Falso registro;
    qx7::teste::Painel_Falso painel;
    Variaveis_Programa variaveis;
    Telas_Falsas telas{variaveis};
    Enlace enlace{porta, plataforma, registro, painel};
    Medidor medidor{variaveis, painel, telas, enlace, plataforma};
    Linha_Para_Porta linha{porta};
    Simulador simulador;
    std::size_t entregue = 0;
    int passos = 0;
};

}  // namespace qx7::simulador::teste
