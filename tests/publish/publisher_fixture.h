#pragma once
// A publisher over a fresh history file, against the test's broker, with its waits shortened,
// its log lines kept, and its state read as it goes.

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <mutex>

#include "publish/publisher.h"
#include "tests/support/history/history_fixture.h"
#include "tests/support/mqtt/test_broker.h"
#include "tests/support/mqtt/test_subscriber.h"

namespace qx7::teste {

inline constexpr int Espera_Chegada_ms = 10'000;

inline Tempos_Publicacao Tempos_Curtos() {
    using namespace std::chrono_literals;
    return {.primeira_espera = 200ms,
            .maior_espera = 800ms,
            .conexao_estavel = 1000ms,
            .prazo_conexao = 3000ms,
            .consulta = 100ms,
            .reabrir = 1000ms,
            .gravar_cursores = 100ms,
            .encerramento = 1000ms};
}

class Publicador_Com_Corretor : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Corretor_Teste::Instalado()) {
            GTEST_SKIP() << Corretor_Teste::Motivo_Ausente();
        }
        ASSERT_TRUE(corretor.Iniciar()) << corretor.Erro().toStdString();
    }

    // `arquivo` empty: live.
    std::unique_ptr<Publicador> Publicar(
        const Configuracao_Mqtt& config, const QString& arquivo,
        std::size_t capacidade_ao_vivo = Capacidade_Ao_Vivo_Padrao) {
        return std::make_unique<Publicador>(
            Opcoes_Publicador{.config = config,
                              .arquivo_historico = arquivo,
                              .relatar =
                                  [this](const Relato_Publicacao& relato) {
                                      if (relato.tipo != Relato_Publicacao::Tipo::Estado) {
                                          const std::lock_guard trava(mutex_);
                                          linhas_.append(relato.linha);
                                      }
                                  },
                              .tempos = Tempos_Curtos(),
                              .janela = Janela_Padrao,
                              .capacidade_ao_vivo = capacidade_ao_vivo});
    }

    QStringList Linhas() {
        const std::lock_guard trava(mutex_);
        return linhas_;
    }

    Corretor_Teste corretor;
    Historico_Teste historico;

  private:
    std::mutex mutex_;
    QStringList linhas_;
};

}  // namespace qx7::teste
