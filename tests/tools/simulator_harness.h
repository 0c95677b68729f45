#pragma once
// The simulator engine in memory: a scripted clock, a line that records every write, and a
// gauge with a fixed clock and known tanks.

#include <string>
#include <vector>

#include "link/frame.h"
#include "tools/simulador/civil_time.h"
#include "tools/simulador/gauge_engine.h"

namespace qx7::simulador::teste {

class Relogio_Falso : public Relogio {
  public:
    Instante Agora() const override { return agora; }
    void Avancar(std::chrono::microseconds passo) { agora += passo; }
    Instante agora{std::chrono::seconds(1000)};
};

class Linha_Memoria : public Linha {
  public:
    void Escrever(std::string_view bytes) override { escritas.emplace_back(bytes); }
    std::string Tudo() const {
        std::string tudo;
        for (const auto& e : escritas) {
            tudo += e;
        }
        return tudo;
    }
    // Everything written since the last call.
    std::string Novo() {
        std::string novo;
        for (; lidas < escritas.size(); ++lidas) {
            novo += escritas[lidas];
        }
        return novo;
    }
    std::vector<std::string> escritas;
    std::size_t lidas = 0;
};

// Mon 7 Dec 2026, 14:30:05; four tanks, the second measured in weight.
inline Config_Simulador Config_Teste() {
    Config_Simulador config;
    auto& medidor = config.medidor;
    medidor.relogio_inicial = Ler_Data_Hora("071226", "143005");
    medidor.numero_tanques = 4;
    medidor.tanques[0] = {"01", 745, 30000, 18250, {}, false, -60};
    medidor.tanques[1] = {"04", 840, 20000, 5000, 14000, true, 0};
    medidor.tanques[2] = {"03", 789, 15000, 750, {}, false, 0};
    medidor.tanques[3] = {"02", 750, 10000, 9999, {}, false, 120};
    medidor.programadas = {{"061226", "060000", 1, 20100},
                           {"061226", "180000", 1, 19500},
                           {"061226", "180000", 3, 900},
                           {"051226", "120000", 2, 4321}};
    medidor.programadas_padrao = false;
    return config;
}

struct Bancada {
    explicit Bancada(Config_Simulador config = Config_Teste())
        : simulador(std::move(config), linha, relogio) {}

    void Pedir(std::string_view pedido) { simulador.Receber(Monta_Quadro(pedido)); }
    void Confirmar() { simulador.Receber(std::string(1, ACK)); }
    void Recusar() { simulador.Receber(std::string(1, NAK)); }
    void Passar(std::chrono::microseconds passo) {
        relogio.Avancar(passo);
        simulador.Avancar();
    }

    Relogio_Falso relogio;
    Linha_Memoria linha;
    Simulador simulador;
};

}  // namespace qx7::simulador::teste
