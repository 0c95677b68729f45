#include "gauge/tank_watch.h"

#include <algorithm>
#include <span>

#include "gauge/number_format.h"

namespace qx7 {

namespace {

constexpr std::int64_t Um_Minuto_ms = 60 * 1000;

bool Valida(const Leitura_Valores& leitura) {
    return leitura.tanque >= 1 && leitura.tanque <= Maximo_Tanques_Alarme && leitura.medido &&
           leitura.complementar;
}

}  // namespace

std::optional<Descarga> Vigia_Tanques::Acrescentar(Estado_Tanque& estado,
                                                   const Leitura_Valores& leitura) {
    const Ponto_Nivel ponto{leitura.instante_ms, *leitura.medido};
    const std::optional<Descarga> descarga =
        estado.detector.Leitura(ponto, avaliador_.Config().descarga_minima);
    if (descarga) {
        estado.descargas.push_back(*descarga);
    }
    estado.pontos.push_back(ponto);
    estado.total = *leitura.medido + *leitura.complementar;

    const std::int64_t limite = ponto.instante_ms - Janela_Previsao_ms;
    while (estado.pontos[estado.inicio].instante_ms < limite) {
        ++estado.inicio;
    }
    // The readings that left the window are let go in bulk, not one by one.
    if (estado.inicio > estado.pontos.size() / 2) {
        estado.pontos.erase(estado.pontos.begin(),
                            estado.pontos.begin() + static_cast<std::ptrdiff_t>(estado.inicio));
        estado.inicio = 0;
    }
    std::erase_if(estado.descargas, [limite](const Descarga& d) { return d.fim_ms < limite; });
    return descarga;
}

void Vigia_Tanques::Carregar(const Leitura_Valores& leitura) {
    if (Valida(leitura)) {
        Acrescentar(tanques_[leitura.tanque], leitura);
    }
}

Resultado_Leitura Vigia_Tanques::Leitura(const Leitura_Valores& leitura) {
    Resultado_Leitura resultado;
    if (!Valida(leitura)) {
        return resultado;
    }
    Estado_Tanque& estado = tanques_[leitura.tanque];
    resultado.descarga = Acrescentar(estado, leitura);
    const std::int64_t agora = leitura.instante_ms;
    if (const auto percentual = Valor_Percentual(*leitura.medido, *leitura.complementar)) {
        resultado.mudancas = avaliador_.Nivel(leitura.tanque, agora, *percentual);
    }
    if (auto queda = avaliador_.Queda(leitura.tanque, agora, Queda(estado))) {
        resultado.mudancas.push_back(std::move(*queda));
    }
    std::optional<double> dias;
    if (const Previsao_Tanque previsao = Previsao(leitura.tanque); previsao.baixo_ms) {
        dias = static_cast<double>(*previsao.baixo_ms - agora) / Um_Dia_ms;
    }
    if (auto aviso = avaliador_.Previsao(leitura.tanque, agora, dias)) {
        resultado.mudancas.push_back(std::move(*aviso));
    }
    return resultado;
}

// The highest measured value within the set minutes, down to the last reading.
double Vigia_Tanques::Queda(const Estado_Tanque& estado) const {
    const int minutos = avaliador_.Config().queda_minutos;
    const Ponto_Nivel& atual = estado.pontos.back();
    const std::int64_t desde = atual.instante_ms - minutos * Um_Minuto_ms;
    double maior = atual.medido;
    for (std::size_t i = estado.pontos.size(); minutos > 0 && i-- > estado.inicio;) {
        if (estado.pontos[i].instante_ms < desde) {
            break;
        }
        maior = std::max(maior, estado.pontos[i].medido);
    }
    return maior - atual.medido;
}

Previsao_Tanque Vigia_Tanques::Previsao(int tanque) const {
    const auto achado = tanques_.find(tanque);
    if (achado == tanques_.end()) {
        return {};
    }
    const Estado_Tanque& estado = achado->second;
    const Config_Alarmes& config = avaliador_.Config();
    const std::span<const Ponto_Nivel> janela(
        estado.pontos.begin() + static_cast<std::ptrdiff_t>(estado.inicio), estado.pontos.end());
    std::vector<Descarga> descargas = estado.descargas;
    if (const auto em_curso = estado.detector.Em_Curso(config.descarga_minima)) {
        descargas.push_back(*em_curso);
    }
    std::optional<double> volume_baixo;
    if (const auto baixo = Limites_Do_Tanque(config, tanque).baixo) {
        volume_baixo = *baixo * estado.total / 100.0;
    }
    return Prever(janela.back(), Taxa_Consumo(janela, descargas), volume_baixo);
}

}  // namespace qx7
