// Each injected fault, seen in the bytes the gauge writes.

#include <gtest/gtest.h>

#include "gauge/fields.h"
#include "tests/tools/simulator_harness.h"

namespace qx7::simulador::teste {
namespace {

using namespace std::chrono_literals;

const std::string ack(1, ACK);
const std::string nak(1, NAK);
const std::string identificacao = Monta_Quadro("IDA0121");

Bancada Com_Falhas(Falhas falhas) {
    auto config = Config_Teste();
    config.falhas = falhas;
    return Bancada(config);
}

TEST(SimuladorFalhas, NakNosProximosPedidos) {
    auto bancada = Com_Falhas({.nak_pedidos = 2});
    bancada.Pedir("ID01");
    EXPECT_EQ(bancada.linha.Novo(), nak);
    bancada.Pedir("ID01");
    EXPECT_EQ(bancada.linha.Novo(), nak);
    bancada.Pedir("ID01");
    EXPECT_EQ(bancada.linha.Novo(), ack + identificacao);
    EXPECT_EQ(bancada.simulador.Falhas_Restantes().nak_pedidos, 0);
}

TEST(SimuladorFalhas, BccErradoUmaVez) {
    auto bancada = Com_Falhas({.bcc_errado = 1});
    bancada.Pedir("ID01");
    const std::string errado = bancada.linha.Novo().substr(1);
    ASSERT_EQ(errado.size(), identificacao.size());
    EXPECT_EQ(errado.substr(0, errado.size() - 1), identificacao.substr(0, errado.size() - 1));
    EXPECT_FALSE(BCC_Correto(errado));
    bancada.Recusar();
    EXPECT_EQ(bancada.linha.Novo(), identificacao);
}

TEST(SimuladorFalhas, BccSempreErradoDesisteDepoisDeTresRepeticoes) {
    auto bancada = Com_Falhas({.bcc_errado = Sempre});
    bancada.Pedir("ID01");
    bancada.linha.Novo();
    int envios = 1;
    while (true) {
        bancada.Recusar();
        const std::string novo = bancada.linha.Novo();
        if (novo.empty()) {
            break;
        }
        EXPECT_FALSE(BCC_Correto(novo));
        ++envios;
    }
    EXPECT_EQ(envios, 4);
    EXPECT_FALSE(bancada.simulador.Proximo_Prazo().has_value());
}

TEST(SimuladorFalhas, SilencioNoProximoPedido) {
    auto bancada = Com_Falhas({.silencio = 1});
    bancada.Pedir("ID01");
    EXPECT_TRUE(bancada.linha.escritas.empty());
    EXPECT_FALSE(bancada.simulador.Proximo_Prazo().has_value());
    bancada.Pedir("ID01");
    EXPECT_EQ(bancada.linha.Novo(), ack + identificacao);
}

TEST(SimuladorFalhas, SilencioSempre) {
    auto bancada = Com_Falhas({.silencio = Sempre});
    for (const char* pedido : {"ID01", "LR", "MA", "CFqx7"}) {
        bancada.Pedir(pedido);
    }
    bancada.Passar(10s);
    EXPECT_TRUE(bancada.linha.escritas.empty());
}

TEST(SimuladorFalhas, RuidoEntreUnidadesQueAMontagemDescarta) {
    auto bancada = Com_Falhas({.ruido = true});
    bancada.Pedir("MA");
    bancada.Confirmar();
    const std::string bytes = bancada.linha.Tudo();
    EXPECT_NE(bytes.front(), ACK);  // noise comes first
    std::vector<std::string> unidades;
    Montagem_RX montagem;
    std::size_t ruido = 0;
    for (const char c : bytes) {
        const bool fora = !montagem.Recebendo_Msg;
        if (auto passo = Montar(montagem, std::string_view(&c, 1)); passo.unidade) {
            unidades.push_back(*passo.unidade);
        } else if (fora && !montagem.Recebendo_Msg) {
            ++ruido;
        }
    }
    ASSERT_EQ(unidades.size(), 3u);
    EXPECT_EQ(unidades[0], ack);
    EXPECT_EQ(Campo(unidades[1], 4, 3), " 01");
    EXPECT_EQ(Campo(unidades[2], 4, 3), " 02");
    EXPECT_TRUE(BCC_Correto(unidades[2]));
    EXPECT_GE(ruido, 3u);  // one to four bytes before each of the three units
}

TEST(SimuladorFalhas, GeradorDeRuidoNuncaEmiteControlesDoEnlace) {
    Gerador_Ruido gerador;
    for (int i = 0; i < 2000; ++i) {
        const std::string ruido = gerador.Proximo();
        ASSERT_GE(ruido.size(), 1u);
        ASSERT_LE(ruido.size(), 4u);
        EXPECT_EQ(ruido.find_first_of(std::string{STX, ACK, NAK}), std::string::npos);
    }
}

TEST(SimuladorFalhas, FragmentarUmBytePorEscritaComLacunas) {
    auto bancada = Com_Falhas({.fragmentar = 5ms});
    bancada.Pedir("ID01");
    EXPECT_EQ(bancada.linha.escritas.size(), 1u);  // the ACK now, the frame 5 ms per byte
    const std::size_t total = 1 + identificacao.size();
    for (std::size_t n = 2; n <= total; ++n) {
        bancada.Passar(5ms - 1us);
        EXPECT_EQ(bancada.linha.escritas.size(), n - 1);
        bancada.Passar(1us);
        EXPECT_EQ(bancada.linha.escritas.size(), n);
    }
    for (const auto& escrita : bancada.linha.escritas) {
        EXPECT_EQ(escrita.size(), 1u);
    }
    EXPECT_EQ(bancada.linha.Tudo(), ack + identificacao);
}

TEST(SimuladorFalhas, RitmoDaLinhaNoveCentosESessentaBytesPorSegundo) {
    auto bancada = Com_Falhas({.ritmo_linha = true});
    const Instante inicio = bancada.relogio.agora;
    bancada.Pedir("ID01");
    EXPECT_EQ(bancada.linha.Tudo(), ack);
    // Byte k leaves at k/960 s: the frame's 10 bytes follow the ACK at 1041.67 us each.
    for (long long k = 1; k <= 10; ++k) {
        const Instante devido = inicio + Instante(k * 1'000'000 / 960);
        bancada.relogio.agora = devido - 1us;
        bancada.simulador.Avancar();
        EXPECT_EQ(bancada.linha.Tudo().size(), static_cast<std::size_t>(k)) << k;
        bancada.relogio.agora = devido;
        bancada.simulador.Avancar();
        EXPECT_EQ(bancada.linha.Tudo().size(), static_cast<std::size_t>(k + 1)) << k;
    }
    EXPECT_EQ(bancada.linha.Tudo(), ack + identificacao);
    // The wait for the program's ACK starts when the last byte has left.
    EXPECT_EQ(bancada.simulador.Proximo_Prazo(), inicio + Instante(10'000'000 / 960) + 5s);
}

TEST(SimuladorFalhas, RitmoDeUmInventarioDeDezesseisTanques) {
    auto config = Config_Teste();
    config.medidor.numero_tanques = 16;
    config.falhas.ritmo_linha = true;
    Bancada bancada(config);
    const Instante inicio = bancada.relogio.agora;
    bancada.Pedir("MA");
    std::size_t bytes = 0;
    int quadros = 0;
    while (quadros < 16) {
        const auto prazo = bancada.simulador.Proximo_Prazo();
        ASSERT_TRUE(prazo.has_value());
        bancada.relogio.agora = *prazo;
        bancada.simulador.Avancar();
        const std::string novo = bancada.linha.Novo();
        bytes += novo.size();
        if (bytes == 1 + 46u * static_cast<std::size_t>(quadros + 1)) {
            ++quadros;
            bancada.Confirmar();  // at once, so the line never rests
        }
    }
    // The ACK and 16 frames of 46 bytes at 960 a second, without a pause between frames.
    EXPECT_EQ(bancada.relogio.agora - inicio,
              Instante(static_cast<long long>(bytes - 1) * 1'000'000 / 960));
    EXPECT_EQ(bytes, 1 + 16 * 46u);
}

TEST(SimuladorFalhas, OutroEndereco) {
    auto config = Config_Teste();
    config.medidor.endereco = "A07";
    Bancada bancada(config);
    bancada.Pedir("ID01");
    const std::string quadro = bancada.linha.Novo().substr(1);
    EXPECT_EQ(Campo(quadro, 4, 3), "A07");
    EXPECT_EQ(quadro, Monta_Quadro("IDA0721"));
}

}  // namespace
}  // namespace qx7::simulador::teste
