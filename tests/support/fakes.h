#pragma once
// Test doubles for the panel, the platform and the log: they record what the code under test
// did, and let the test drive the clock and the yields.

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/log_sink.h"
#include "link/panel.h"
#include "link/platform.h"

namespace qx7::teste {

class Painel_Falso : public Painel {
  public:
    std::string Texto(Controle controle) const override;
    void Definir_Texto(Controle controle, std::string_view texto) override;
    void Habilitar(Controle controle, bool habilitado) override;
    void Habilitar_Tanque(int k, bool habilitado) override;
    bool Tanque_Habilitado(int k) const override;
    void Altura_Liquido(float twips) override { altura = twips; }
    void Selecionar_Sinal(int i) override { sinais.push_back(i); }

    bool Habilitado(Controle controle) const;  // controls never touched read as enabled

    std::map<Controle, std::string> textos;
    std::map<Controle, bool> habilitados;
    std::array<bool, 16> tanques{true, true, true, true, true, true, true, true,
                                 true, true, true, true, true, true, true, true};
    float altura = 1335.0f;
    std::vector<int> sinais;  // every lamp lit, in order
};

class Plataforma_Falsa : public Plataforma {
  public:
    void Processar_Eventos() override;
    void Aguardar_Eventos(int) override { Processar_Eventos(); }  // a yield without a clock
    void Pausa_ms(int ms) override { pausas.push_back(ms); }
    std::string Data_Atual() override { return data; }
    std::string Hora_Atual() override { return hora; }
    char Separador_Decimal() const override { return separador; }

    // Runs at every yield; a test uses it to deliver bytes or ticks mid-wait.
    std::function<void()> ao_processar;
    int rendimentos = 0;
    std::vector<int> pausas;
    std::string data = "07/12/2026";
    std::string hora = "12:00:00";
    char separador = '.';
};

class Registro_Falso : public Registro {
  public:
    void Adicionar(std::string linha) override { linhas.push_back(std::move(linha)); }
    void Adicionar_Aviso(std::string linha) override {
        avisos.push_back(linha);
        linhas.push_back(std::move(linha));
    }
    std::vector<std::string> linhas;  // every line, in order
    std::vector<std::string> avisos;  // the failure lines among them
};

}  // namespace qx7::teste
