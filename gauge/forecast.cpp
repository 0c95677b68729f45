#include "gauge/forecast.h"

#include <algorithm>
#include <cmath>

namespace qx7 {

namespace {

// One stretch between deliveries, summed as it comes (Welford's way, steady for long series):
// its means and its sums of squares about them.
struct Trecho {
    int n = 0;
    double media_t = 0, media_v = 0;
    double sxx = 0, sxy = 0;
    std::int64_t de_ms = 0, ate_ms = 0;

    void Somar(std::int64_t instante_ms, double t, double v) {
        if (n == 0) {
            de_ms = instante_ms;
        }
        ate_ms = instante_ms;
        ++n;
        const double dt = t - media_t;
        media_t += dt / n;
        media_v += (v - media_v) / n;
        sxx += dt * (t - media_t);
        sxy += dt * (v - media_v);
    }
};

struct Soma {
    int n = 0;
    double sxx = 0, sxy = 0;
    std::int64_t periodo_ms = 0;

    void Fechar(Trecho& trecho) {
        n += trecho.n;
        sxx += trecho.sxx;
        sxy += trecho.sxy;
        periodo_ms += trecho.ate_ms - trecho.de_ms;
        trecho = {};
    }
};

std::optional<std::int64_t> Depois_De(std::int64_t instante_ms, double dias) {
    if (!(dias < Horizonte_Maximo_Dias)) {
        return std::nullopt;
    }
    return instante_ms + std::llround(std::max(dias, 0.0) * Um_Dia_ms);
}

}  // namespace

std::optional<double> Taxa_Consumo(std::span<const Ponto_Nivel> pontos,
                                   std::span<const Descarga> descargas) {
    if (pontos.empty()) {
        return std::nullopt;
    }
    const std::int64_t origem = pontos.front().instante_ms;
    Soma soma;
    Trecho trecho;
    auto descarga = descargas.begin();
    for (const Ponto_Nivel& p : pontos) {
        // A delivery that ended by this reading closes the stretch before it.
        while (descarga != descargas.end() && descarga->fim_ms <= p.instante_ms) {
            soma.Fechar(trecho);
            ++descarga;
        }
        if (descarga != descargas.end() && p.instante_ms > descarga->inicio_ms) {
            continue;  // taken while the delivery rose
        }
        trecho.Somar(p.instante_ms, static_cast<double>(p.instante_ms - origem) / Um_Dia_ms,
                     p.medido);
    }
    soma.Fechar(trecho);
    if (soma.n < Pontos_Minimos_Previsao || soma.periodo_ms < Periodo_Minimo_Previsao_ms ||
        soma.sxx <= 0) {
        return std::nullopt;
    }
    return -soma.sxy / soma.sxx;
}

Previsao_Tanque Prever(Ponto_Nivel atual, std::optional<double> consumo_dia,
                       std::optional<double> volume_baixo) {
    Previsao_Tanque previsao{.consumo_dia = consumo_dia};
    if (!consumo_dia || !(*consumo_dia > 0)) {
        return previsao;
    }
    if (volume_baixo) {
        previsao.baixo_ms =
            Depois_De(atual.instante_ms, (atual.medido - *volume_baixo) / *consumo_dia);
    }
    previsao.vazio_ms = Depois_De(atual.instante_ms, atual.medido / *consumo_dia);
    return previsao;
}

}  // namespace qx7
