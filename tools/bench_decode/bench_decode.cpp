// Decoding cost per frame: Medidor::Processar_Mensagem_Recebida for each answer family, with
// the test panel (the decoding alone) and with the real main panel (widgets updated); and the
// whole path of one received frame, bytes into the port's event through the receive assembly
// and one Timer3 tick (decode, ACK) of the link. The frames are the simulator's own answers.
//
//     QT_QPA_PLATFORM=offscreen ./build-perf/bench_decode

#include <benchmark/benchmark.h>

#include <QApplication>
#include <map>
#include <memory>
#include <string>

#include "app/main_panel.h"
#include "app/startup_qt.h"
#include "gauge/medidor.h"
#include "link/frame.h"
#include "link/link.h"
#include "station/serial_port_qt.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/fakes.h"
#include "tests/tools/program_harness.h"
#include "tools/simulador/requests.h"
#include "widgets/fonts.h"

namespace {

using namespace qx7;

// One request of each answer family; MA gives all four tanks, the first is used.
const std::map<std::string, std::string> Pedidos = {
    {"ID", "ID01"}, {"CF", "CFqx7"}, {"MT", "MT01"},     {"LM", "LM02"},
    {"MA", "MA"},   {"LR", "LR"},    {"MP", "MP061226"}, {"Erro", "MT09"},
};

std::string Quadro(const std::string& familia) {
    simulador::Modelo_Medidor modelo(simulador::teste::Config_Teste().medidor,
                                     simulador::Instante{});
    const auto respostas = simulador::Responder(modelo, Pedidos.at(familia), simulador::Instante{});
    return Monta_Quadro(respostas.front());
}

class Nao_Transmite : public Transmissor {
  public:
    void Armazena_Mensagem_TX(std::string_view) override {}
    void Definir_Estado_Protocolo(int) override {}
};

// The gauge logic alone, over the recording test panel.
void Decodificar(benchmark::State& estado, const std::string& familia) {
    const std::string quadro = Quadro(familia);
    Variaveis_Programa variaveis;
    teste::Painel_Falso painel;
    teste::Plataforma_Falsa plataforma;
    simulador::teste::Telas_Falsas telas(variaveis);
    Nao_Transmite enlace;
    Medidor medidor(variaveis, painel, telas, enlace, plataforma);
    for (auto _ : estado) {
        medidor.Processar_Mensagem_Recebida(quadro);
        painel.sinais.clear();
    }
    estado.SetLabel(std::to_string(quadro.size()) + " bytes");
}

// The same frames into the real main panel (not loaded: no port, no timers).
void Decodificar_Form1(benchmark::State& estado, const std::string& familia) {
    const std::string quadro = Quadro(familia);
    Estacao estacao({.diretorio_base = std::filesystem::temp_directory_path(), .porta = nullptr});
    simulador::teste::Telas_Falsas telas(estacao.Variaveis());
    Servicos_Form1 servicos = Servicos_Do_Programa(estacao.Variaveis());
    servicos.telas = &telas;
    Form1 painel(estacao, servicos);
    for (auto _ : estado) {
        estacao.Logica_Medidor().Processar_Mensagem_Recebida(quadro);
    }
    estado.SetLabel(std::to_string(quadro.size()) + " bytes");
}

class Registro_Descartado : public Registro {
  public:
    void Adicionar(std::string linha) override { benchmark::DoNotOptimize(linha); }
};

// One frame as the port delivers it (one event for the burst, or one event per byte), the
// receive assembly, and the Timer3 tick that decodes and acknowledges it.
void Recepcao_E_Motor(benchmark::State& estado, const std::string& familia, bool um_a_um) {
    const std::string quadro = Quadro(familia);
    teste::Porta_Falsa porta;
    teste::Plataforma_Falsa plataforma;
    Registro_Descartado registro;
    teste::Painel_Falso painel;
    Variaveis_Programa variaveis;
    simulador::teste::Telas_Falsas telas(variaveis);
    Enlace enlace(porta, plataforma, registro, painel);
    Medidor medidor(variaveis, painel, telas, enlace, plataforma);
    enlace.Processar_Mensagem_Recebida = [&](const std::string& Msg_RX) {
        medidor.Processar_Mensagem_Recebida(Msg_RX);
    };
    for (auto _ : estado) {
        if (um_a_um) {
            porta.Receber_Um_A_Um(quadro);
        } else {
            porta.Receber(quadro);
        }
        enlace.Timer3_Tick();
        porta.escritas.clear();
        porta.historico_rts.clear();
        porta.operacoes.clear();
        plataforma.pausas.clear();
    }
    estado.SetLabel(std::to_string(quadro.size()) + " bytes");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    qx7::Instalar_Substituicoes_Fontes();
    for (const auto& [familia, pedido] : Pedidos) {
        benchmark::RegisterBenchmark(("Decodificar/" + familia).c_str(), Decodificar, familia);
    }
    for (const auto& [familia, pedido] : Pedidos) {
        benchmark::RegisterBenchmark(("Decodificar_Form1/" + familia).c_str(), Decodificar_Form1,
                                     familia);
    }
    for (const char* familia : {"MA", "LR"}) {
        benchmark::RegisterBenchmark((std::string("Recepcao_E_Motor/rajada/") + familia).c_str(),
                                     Recepcao_E_Motor, std::string(familia), false);
        benchmark::RegisterBenchmark((std::string("Recepcao_E_Motor/um_a_um/") + familia).c_str(),
                                     Recepcao_E_Motor, std::string(familia), true);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
