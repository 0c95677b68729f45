// Thousands of exchanges with the simulated gauge under random faults, checked tick by tick
// (see soak_harness.h), and the program's memory across the second half of the run.

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "tests/soak/soak_harness.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocator statistics; GCC ships no header for them.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace qx7::soak {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t Semente = 0x0C0FFEE7u;
constexpr int Fases = 4000;

// Bytes of heap in use. The sanitizer's allocator keeps freed blocks in quarantine (the
// resident size then grows by design), so there its own count of live blocks is the measure.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Rss_Fiel = false;
long Heap_Em_Uso() {
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
}
#else
constexpr bool Rss_Fiel = true;
long Heap_Em_Uso() {
    return static_cast<long>(mallinfo2().uordblks);
}
#endif

// Resident set size in KiB, from /proc/self/status.
long Rss_KiB() {
    std::ifstream status("/proc/self/status");
    std::string campo;
    while (status >> campo) {
        if (campo == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

// The gauge's faults of one phase; each is off more often than on.
Falhas Sortear_Falhas(Bancada_Soak& b) {
    Falhas falhas;
    if (b.Sortear(3) == 0) {
        falhas.nak_pedidos = 1 + b.Sortear(6);  // four or more exhaust a request
    }
    if (b.Sortear(3) == 0) {
        falhas.bcc_errado = 1 + b.Sortear(5);
    }
    if (b.Sortear(6) == 0) {
        falhas.silencio = 1;
    }
    falhas.ruido = b.Sortear(4) == 0;
    if (b.Sortear(5) == 0) {
        falhas.fragmentar = std::chrono::milliseconds(1 + b.Sortear(30));
    }
    return falhas;
}

Perturbacao Sortear_Perturbacao(Bancada_Soak& b) {
    Perturbacao p;
    if (b.Sortear(5) == 0) {
        p.ruido_por_mil = 1 + b.Sortear(20);
    }
    p.fatiar = b.Sortear(3) == 0;
    p.um_a_um = b.Sortear(4) == 0;
    return p;
}

// One of the operator's commands, on a random tank.
void Clicar(Bancada_Soak& b) {
    Medidor& m = b.medidor;
    m.TQ_Ativo_Click(b.Sortear(6));  // tanks 5 and 6 do not exist on this gauge
    const std::function<void()> cliques[] = {
        [&] { m.LR_Cmd_Click(); },        [&] { m.LM_Cmd_Click(); },
        [&] { m.MT_Cmd_Click(); },        [&] { m.MA_Cmd_Click(); },
        [&] { m.IV_Cmd_Click(); },        [&] { m.Medicao_Programada_Click(); },
        [&] { m.Abrir_Conexao_Click(); },
    };
    cliques[b.Sortear(static_cast<int>(std::size(cliques)))]();
}

bool E_Resposta(const std::string& quadro, std::string_view codigo) {
    return quadro.size() > 3 && std::string_view(quadro).substr(1, 2) == codigo;
}

// A clock request gets its answer. The first try may be lost to what the faults left behind
// (a noise STX holds the assembly until the next ETX), never the second.
int Tentativas_Ate_Resposta(Bancada_Soak& b) {
    for (int tentativa = 1; tentativa <= 2; ++tentativa) {
        b.medidor.LR_Cmd_Click();
        bool respondeu = false;
        b.Rodar_Ate(
            [&] {
                for (const auto& quadro : b.Decodificados_No_Passo()) {
                    respondeu = respondeu || E_Resposta(quadro, "LR");
                }
                return respondeu && b.Quieto();
            },
            20s);
        if (respondeu) {
            return tentativa;
        }
    }
    return 0;
}

TEST(Soak, MilharesDeTrocasComFalhasAleatorias) {
    Bancada_Soak b(Semente);
    b.medidor.Abrir_Conexao_Click();
    ASSERT_TRUE(
        b.Rodar_Ate([&] { return b.painel.Habilitado(Controle::Frame5) && b.Quieto(); }, 5s));

    long heap_meio = 0;
    long rss_meio = 0;
    long linhas_meio = 0;
    int segundas_tentativas = 0;
    for (int fase = 0; fase < Fases; ++fase) {
        if (fase == Fases / 2) {
            heap_meio = Heap_Em_Uso();
            rss_meio = Rss_KiB();
            linhas_meio = b.registro.linhas;
        }
        b.Trocar_Simulador(Sortear_Falhas(b));
        b.perturbacao = Sortear_Perturbacao(b);
        for (int n = 1 + b.Sortear(3); n > 0; --n) {
            Clicar(b);
        }
        // Sometimes the operator clicks again while an exchange is under way.
        const bool quieto = b.Rodar_Ate(
            [&] {
                if (b.Sortear(400) == 0) {
                    Clicar(b);
                }
                return b.Quieto();
            },
            10min);
        ASSERT_TRUE(quieto) << "fase " << fase;

        b.Trocar_Simulador({});
        b.perturbacao = {};
        const int tentativas = Tentativas_Ate_Resposta(b);
        ASSERT_NE(tentativas, 0) << "sem resposta depois das falhas da fase " << fase;
        segundas_tentativas += tentativas == 2;
    }

    const Contagem& c = b.contagem;
    EXPECT_EQ(c.violacoes, 0) << c.primeira_violacao;
    EXPECT_EQ(c.decodificados, c.quadros_bons_ociosos);
    EXPECT_EQ(c.acks, c.quadros_bons_ociosos);
    EXPECT_EQ(c.naks, c.quadros_ruins_ociosos);
    EXPECT_LE(c.maximo_envios, 4);
    // The mix of faults reached every path the checks are about.
    EXPECT_GT(c.pedidos, 10000);
    EXPECT_GT(c.pedidos_com_4_envios, 10);
    EXPECT_GT(b.registro.estouros_retries, 10);
    EXPECT_GT(c.quadros_ruins_ociosos, 100);
    EXPECT_GT(c.quadros_descartados, 10);
    EXPECT_GT(c.bytes_ruido, 100);
    EXPECT_LT(segundas_tentativas, Fases / 4);

    std::printf("segunda metade: %ld linhas, heap %+ld bytes, RSS %+ld KiB\n",
                b.registro.linhas - linhas_meio, Heap_Em_Uso() - heap_meio, Rss_KiB() - rss_meio);
    // The second half added log lines, yet the program held on to nothing for them.
    EXPECT_GT(b.registro.linhas - linhas_meio, 10000);
    EXPECT_LT(Heap_Em_Uso() - heap_meio, 64 * 1024);
    if (Rss_Fiel) {
        EXPECT_LT(Rss_KiB() - rss_meio, 1024);
    }
    EXPECT_TRUE(b.enlace.Fila_TX().Vazia());
    EXPECT_TRUE(b.enlace.Fila_RX().Vazia());

    RecordProperty("pedidos", std::to_string(c.pedidos));
    RecordProperty("passos", std::to_string(c.passos));
    std::printf(
        "passos %ld, pedidos %ld, repetições %ld, com 4 envios %ld, quadros bons %ld, "
        "ruins %ld, descartados %ld, decodificados %ld, ACKs %ld, NAKs %ld, "
        "recusadas %ld, ruído %ld, linhas %ld, segundas tentativas %d\n",
        c.passos, c.pedidos, c.repeticoes, c.pedidos_com_4_envios, c.quadros_bons_ociosos,
        c.quadros_ruins_ociosos, c.quadros_descartados, c.decodificados, c.acks, c.naks,
        c.unidades_recusadas, c.bytes_ruido, b.registro.linhas, segundas_tentativas);
}

// Noise that opens a frame and never closes it: the unit is dropped once it passes the size
// cap, the bytes after it are ignored until the next STX, the memory it held is given back,
// and the next request is answered.
TEST(Soak, RuidoSemETXNaoCresceAlemDoLimite) {
    Bancada_Soak b(Semente);
    b.medidor.Abrir_Conexao_Click();
    ASSERT_TRUE(b.Rodar_Ate([&] { return b.Quieto(); }, 5s));
    const long heap_antes = Heap_Em_Uso();

    constexpr std::size_t Pedaco = 4096;
    constexpr int Pedacos = 50;  // 200 KiB, three times the cap
    b.linha.pendente = std::string(1, STX);
    for (int n = 0; n < Pedacos; ++n) {
        b.linha.pendente += std::string(Pedaco, 'x');
        b.Passo();
    }
    EXPECT_EQ(b.registro.descartadas, 1);
    EXPECT_LT(Heap_Em_Uso() - heap_antes, 16 * 1024);
    EXPECT_EQ(Tentativas_Ate_Resposta(b), 1);
    EXPECT_EQ(b.contagem.violacoes, 0) << b.contagem.primeira_violacao;
}

}  // namespace
}  // namespace qx7::soak
