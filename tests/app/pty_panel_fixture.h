#pragma once
// A main panel over the real serial component, against a pseudo-terminal linked as COM1 in a
// temporary base directory; the test plays the far end on the master side.

#include <gtest/gtest.h>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "tests/app/panel_fixture.h"
#include "tests/support/pty.h"

namespace qx7::teste {

class Painel_Sobre_Pty : public testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path base =
            std::filesystem::path(diretorio.path().toStdString()) / "";
        std::filesystem::create_symlink(pty.Caminho_Escravo(), base / "COM1");
        std::ofstream(Arquivo_Configuracao(base), std::ios::binary) << "COM1\r\n";
        estacao =
            std::make_unique<Estacao>(Opcoes_Estacao{.diretorio_base = base, .porta = nullptr});
        Servicos_Form1 servicos;
        servicos.abrir_configuracao = [this](QWidget*) {
            ++configuracoes;
            return false;
        };
        servicos.confirmar_saida = [](QWidget*) { return true; };
        servicos.encerrar = [] {};
        servicos.telas = &telas;
        painel = std::make_unique<Form1>(*estacao, std::move(servicos));
    }

    // What the far end has received so far, waiting up to `ms` for `minimo` bytes while the
    // panel's timers run.
    std::string Receber(std::size_t minimo, int ms) {
        std::string recebido;
        // The caller compares what came; a short answer shows in that comparison.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                recebido += pty.Ler(std::chrono::milliseconds(5));
                return recebido.size() >= minimo;
            },
            ms));
        return recebido;
    }

    QTemporaryDir diretorio;
    Pseudo_Terminal pty;
    Telas_Falsas telas;
    std::unique_ptr<Estacao> estacao;
    std::unique_ptr<Form1> painel;
    int configuracoes = 0;
};

}  // namespace qx7::teste
