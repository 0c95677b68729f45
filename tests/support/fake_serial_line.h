#pragma once
// A scripted serial line for the port thread. The test sets the modem lines and error counters
// it reports, scripts failed reads and hung requests, and reads back every write and every
// change of DTR and RTS with its instant. The kernel's output queue reads empty as soon as the
// bytes are written, as a USB adapter reports once its chip has taken them, unless the script
// holds it.
//
//     auto roteiro = std::make_shared<Roteiro_Linha>();
//     Porta_Serial_Qt porta(base, preferencias, Linha_Falsa::Fabrica(roteiro));
//     roteiro->Com([](Roteiro_Linha::Dados& d) { d.linhas.dsr = true; });

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "station/line_device.h"

namespace qx7::teste {

class Roteiro_Linha {
  public:
    using Relogio = std::chrono::steady_clock;
    enum class Chamada {
        Escrita,
        DTR_Ligado,
        DTR_Desligado,
        RTS_Ligado,
        RTS_Desligado,
        Descarte,
        Fechamento
    };
    struct Registro {
        Chamada chamada;
        std::size_t bytes = 0;
        Relogio::time_point instante;
    };

    struct Dados {
        Linhas_Modem linhas;
        Contadores_Erro contadores;
        // One letter per coming modem-line read: 'F' fails, any other answers.
        std::string leituras;
        std::chrono::milliseconds fila_apos_escrita{0};  // the kernel reports output this long
        // Every request that reaches the device hangs this long.
        std::chrono::milliseconds bloqueio{0};
        bool vivo = true;
        bool presente = true;
        bool aceita_rs485 = false;
        int amostras = 0;  // modem-line reads answered
        std::vector<Registro> registros;
    };

    template <typename Funcao>
    auto Com(Funcao&& funcao) {
        const std::lock_guard trava(mutex_);
        return funcao(dados_);
    }

    std::vector<Registro> Registros() {
        return Com([](Dados& d) { return d.registros; });
    }

  private:
    std::mutex mutex_;
    Dados dados_;
};

class Linha_Falsa final : public Linha_Serial {
  public:
    Linha_Falsa(std::shared_ptr<Roteiro_Linha> roteiro, int descritor);
    ~Linha_Falsa() override;  // closes the descriptor, recorded as Fechamento

    static Fabrica_Linha Fabrica(std::shared_ptr<Roteiro_Linha> roteiro);

    Leitura<Linhas_Modem> Ler_Linhas() override;
    Leitura<Contadores_Erro> Ler_Contadores() override;
    Leitura<int> Fila_Saida() override;
    Leitura<bool> Transmissor_Vazio() override;
    Resultado_Linha Definir(Sinal_Saida sinal, bool ligado) override;
    Leitura<std::size_t> Escrever(std::string_view bytes) override;
    void Esperar_Escrita(int ms) override;
    Resultado_Linha Descartar_Saida() override;
    Resultado_Linha Ativar_RS485() override;
    Resultado_Linha Fechar_Sem_Esperar() override;
    bool Terminal_Vivo() override;
    bool Dispositivo_Presente() override;

  private:
    void Pendurar();
    void Registrar(Roteiro_Linha::Chamada chamada, std::size_t bytes = 0);

    std::shared_ptr<Roteiro_Linha> roteiro_;
    int descritor_;
    Roteiro_Linha::Relogio::time_point ultima_escrita_{};
};

}  // namespace qx7::teste
