#pragma once
// A link wired to the scripted port, platform, panel and log, with helpers that drive its
// timers and read back what it wrote.

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "link/codepage.h"
#include "link/frame.h"
#include "link/link.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/fakes.h"

namespace qx7::teste {

// Bytes from their hexadecimal values.
inline std::string Bytes(std::initializer_list<int> valores) {
    std::string texto;
    for (const int v : valores) {
        texto += static_cast<char>(v);
    }
    return texto;
}

inline const std::string Um_ACK(1, ACK);
inline const std::string Um_NAK(1, NAK);

class Bancada : public ::testing::Test {
  protected:
    // The port open, as the panel leaves it after its opening; the record starts afterwards.
    Bancada() {
        porta.CommPort(1);
        porta.PortOpen(true);
        porta.operacoes.clear();
        enlace.Processar_Mensagem_Recebida = [this](const std::string& Msg_RX) {
            decodificados.push_back(Msg_RX);
        };
    }

    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            enlace.Timer3_Tick();
        }
    }
    void Segundos(int n) {
        for (int i = 0; i < n; ++i) {
            enlace.Timer2_Tick();
        }
    }

    // Log lines written from index `desde` on.
    std::vector<std::string> Linhas(std::size_t desde = 0) const {
        const auto& todas = registro.linhas;
        return {todas.begin() + static_cast<std::ptrdiff_t>(std::min(desde, todas.size())),
                todas.end()};
    }
    std::size_t Marca() const { return registro.linhas.size(); }
    std::size_t Escritas() const { return porta.escritas.size(); }
    std::string Ultima_Escrita() const {
        return porta.escritas.empty() ? std::string() : porta.escritas.back().bytes;
    }

    // Queues a request and sends it on the next tick; the link then awaits its answer.
    void Pedido_Enviado(const std::string& payload) {
        enlace.Armazena_Mensagem_TX(payload);
        enlace.Timer3_Tick();
        ASSERT_EQ(Ultima_Escrita(), Monta_Quadro(payload));
        ASSERT_EQ(enlace.Estado_Protocolo(), Enlace::Estado_Aguardando_ACK);
    }

    void Filas_Vazias() const {
        EXPECT_TRUE(enlace.Fila_RX().Vazia());
        EXPECT_TRUE(enlace.Fila_TX().Vazia());
    }

    Porta_Falsa porta;
    Plataforma_Falsa plataforma;
    Registro_Falso registro;
    Painel_Falso painel;
    Enlace enlace{porta, plataforma, registro, painel};
    std::vector<std::string> decodificados;
};

}  // namespace qx7::teste
