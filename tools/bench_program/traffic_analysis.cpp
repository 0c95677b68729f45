#include "tools/bench_program/traffic_analysis.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "link/frame.h"
#include "link/receive_assembly.h"

namespace qx7::bancada {

namespace {

double Ms(Relogio::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Quadro {
    Relogio::time_point primeiro;
    Relogio::time_point ultimo;
    std::size_t tamanho = 0;
};

}  // namespace

Analise Analisar(const std::vector<Trafego>& trafego, std::size_t inicio,
                 Relogio::time_point clique, Relogio::time_point fim,
                 const std::vector<Relogio::time_point>& ticks) {
    Analise a;
    Montagem_RX montagem;
    Relogio::time_point primeiro{};
    std::vector<Quadro> quadros;
    std::vector<Relogio::time_point> acks;
    std::optional<Relogio::time_point> pedido;
    for (std::size_t i = inicio; i < trafego.size() && trafego[i].quando <= fim; ++i) {
        const Trafego& t = trafego[i];
        a.bytes += static_cast<long>(t.bytes.size());
        if (t.enviado) {
            a.enviados += static_cast<long>(t.bytes.size());
            if (t.bytes == std::string(1, ACK)) {
                acks.push_back(t.quando);
            } else if (!pedido) {
                pedido = t.quando;
            }
            continue;
        }
        a.recebidos += static_cast<long>(t.bytes.size());
        for (const char c : t.bytes) {
            const bool fora = !montagem.Recebendo_Msg;
            Passo_RX passo = Montar(montagem, std::string_view(&c, 1));
            if (fora && montagem.Recebendo_Msg) {
                primeiro = t.quando;
            }
            if (passo.unidade && passo.unidade->size() > 1) {
                quadros.push_back({primeiro, t.quando, passo.unidade->size()});
            }
        }
    }
    a.quadros = static_cast<int>(quadros.size());
    if (pedido) {
        a.ate_pedido_ms = Ms(*pedido - clique);
        if (!quadros.empty()) {
            a.pedido_ate_quadro_ms = Ms(quadros.front().primeiro - *pedido);
        }
    }
    for (std::size_t k = 0; k < quadros.size(); ++k) {
        const Quadro& q = quadros[k];
        a.transferencia_ms += Ms(q.ultimo - q.primeiro);
        a.bytes_quadros += static_cast<double>(q.tamanho);
        const auto ack = std::find_if(acks.begin(), acks.end(),
                                      [&](Relogio::time_point t) { return t >= q.ultimo; });
        if (ack == acks.end()) {
            continue;  // the last frame: the screen opens before its ACK
        }
        const double reacao = Ms(*ack - q.ultimo);
        const auto tick = std::lower_bound(ticks.begin(), ticks.end(), q.ultimo);
        if (tick != ticks.end() && *tick <= *ack) {
            a.espera_tick_ms += Ms(*tick - q.ultimo);
            a.tick_ate_ack_ms += Ms(*ack - *tick);
        }
        if (ack + 1 != acks.end()) {
            a.ciclo_ms += Ms(*(ack + 1) - *ack);
        }
        a.reacao_ms += reacao;
        a.reacao_max_ms = std::max(a.reacao_max_ms, reacao);
        a.reacao_min_ms = std::min(a.reacao_min_ms, reacao);
        if (k + 1 < quadros.size()) {
            a.retorno_ms += Ms(quadros[k + 1].primeiro - *ack);
        }
    }
    return a;
}

void Imprimir(const Analise& a) {
    const int acks = std::max(a.quadros - 1, 1);
    std::printf("     %d quadros (%.0f bytes, linha %.1f ms), enviados %ld, recebidos %ld\n",
                a.quadros, a.bytes_quadros, 1000.0 * a.bytes_quadros / 960.0, a.enviados,
                a.recebidos);
    std::printf(
        "     clique->pedido %.1f ms; pedido->1º quadro %.1f ms; transferência %.1f ms;\n"
        "     reação ao quadro %.1f ms (média %.1f, mín %.1f, máx %.1f); "
        "ACK->quadro seguinte %.1f ms (média %.1f)\n",
        a.ate_pedido_ms, a.pedido_ate_quadro_ms, a.transferencia_ms, a.reacao_ms,
        a.reacao_ms / acks, a.reacao_min_ms, a.reacao_max_ms, a.retorno_ms, a.retorno_ms / acks);
    const int ciclos = std::max(acks - 1, 1);
    std::printf(
        "     por quadro: espera pelo tick %.1f ms, tick->ACK %.1f ms, "
        "ciclo ACK->ACK %.1f ms (%.2f ticks de 25 ms)\n",
        a.espera_tick_ms / acks, a.tick_ate_ack_ms / acks, a.ciclo_ms / ciclos,
        a.ciclo_ms / ciclos / 25.0);
}

}  // namespace qx7::bancada
