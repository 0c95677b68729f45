#pragma once
// A main panel over the scripted port, in a temporary base directory, with every outside
// service replaced by a recorder.

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_panel.h"
#include "gauge/modal_screens.h"
#include "gauge/shared_tables.h"
#include "station/base_dir.h"
#include "tests/support/fake_serial_port.h"

namespace qx7::teste {

class Telas_Falsas : public Telas {
  public:
    void Abrir_Senha() override { aberturas.push_back("Senha"); }
    bool Abrir_Data() override {
        aberturas.push_back("Data");
        return true;
    }
    void Abrir_Resultados() override { aberturas.push_back("Resultados"); }
    void Abrir_Inventario() override { aberturas.push_back("Inventario"); }
    void Aviso(std::string_view texto, std::string_view) override {
        aberturas.push_back("Aviso " + std::string(texto));
    }
    std::vector<std::string> aberturas;
};

struct Painel_De_Teste {
    void Gravar_Configuracao(const std::string& conteudo) {
        std::ofstream(Arquivo_Configuracao(base), std::ios::binary) << conteudo;
    }

    Form1& Criar() {
        Servicos_Form1 servicos;
        servicos.abrir_configuracao = [this](QWidget*) {
            ++configuracoes;
            return configurar ? configurar() : false;
        };
        servicos.confirmar_saida = [this](QWidget*) {
            ++perguntas;
            return responder_sim;
        };
        servicos.encerrar = [this] {
            operacoes_ao_encerrar = porta.operacoes;
            ++encerramentos;
        };
        servicos.telas = &telas;
        painel = std::make_unique<Form1>(estacao, std::move(servicos));
        return *painel;
    }

    template <typename T>
    T* Achar(const char* nome_utf8) const {
        return painel->findChild<T*>(QString::fromUtf8(nome_utf8));
    }

    QTemporaryDir diretorio;
    std::filesystem::path base = std::filesystem::path(diretorio.path().toStdString()) / "";
    Porta_Falsa porta;
    Estacao estacao{{.diretorio_base = base, .porta = &porta}};
    Variaveis_Programa& variaveis = estacao.Variaveis();
    Telas_Falsas telas;
    std::function<bool()> configurar;  // what the configuration screen does; true: a pick
    bool responder_sim = false;
    int configuracoes = 0;
    int perguntas = 0;
    int encerramentos = 0;
    std::vector<std::string> operacoes_ao_encerrar;
    std::unique_ptr<Form1> painel;
};

}  // namespace qx7::teste
