#include "gauge/alarms.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qx7 {

namespace {

using Membro_Limite = std::optional<double> Limites_Nivel::*;

struct Nivel_Alarme {
    Tipo_Alarme tipo;
    Membro_Limite limite;
    bool acima;
};

constexpr Nivel_Alarme Niveis[] = {
    {Tipo_Alarme::Muito_Alto, &Limites_Nivel::muito_alto, true},
    {Tipo_Alarme::Alto, &Limites_Nivel::alto, true},
    {Tipo_Alarme::Baixo, &Limites_Nivel::baixo, false},
    {Tipo_Alarme::Muito_Baixo, &Limites_Nivel::muito_baixo, false},
};

}  // namespace

const Descricao_Alarme& Descrever(Tipo_Alarme tipo) {
    return *std::find_if(Tipos_Alarme.begin(), Tipos_Alarme.end(),
                         [tipo](const Descricao_Alarme& d) { return d.tipo == tipo; });
}

std::optional<Tipo_Alarme> Tipo_Do_Nome(std::string_view nome) {
    for (const Descricao_Alarme& d : Tipos_Alarme) {
        if (nome == d.nome) {
            return d.tipo;
        }
    }
    return std::nullopt;
}

Limites_Nivel Limites_Do_Tanque(const Config_Alarmes& config, int tanque) {
    Limites_Nivel limites = config.padrao;
    const auto proprios = config.tanques.find(tanque);
    if (proprios == config.tanques.end()) {
        return limites;
    }
    for (const Nivel_Alarme& nivel : Niveis) {
        if (proprios->second.*nivel.limite) {
            limites.*nivel.limite = proprios->second.*nivel.limite;
        }
    }
    return limites;
}

std::optional<Mudanca_Alarme> Avaliador_Alarmes::Julgar(Tipo_Alarme tipo, int tanque,
                                                        std::int64_t agora_ms,
                                                        const std::optional<Criterio>& criterio,
                                                        double valor) {
    const auto chave = std::make_pair(tipo, tanque);
    const auto ativo = ativos_.find(chave);
    if (ativo == ativos_.end()) {
        const bool alem =
            criterio && (criterio->acima ? valor > criterio->limite : valor < criterio->limite);
        if (!alem) {
            return std::nullopt;
        }
        const Alarme novo{.tipo = tipo,
                          .tanque = tanque,
                          .limite = criterio->limite,
                          .valor = valor,
                          .levantado_ms = agora_ms};
        ativos_.emplace(chave, novo);
        return Mudanca_Alarme{Evento_Alarme::Levantado, novo, agora_ms, valor};
    }
    const bool de_volta =
        !criterio || (criterio->acima ? valor <= criterio->limite - criterio->histerese
                                      : valor >= criterio->limite + criterio->histerese);
    if (!de_volta) {
        return std::nullopt;
    }
    Mudanca_Alarme normalizado{Evento_Alarme::Normalizado, ativo->second, agora_ms, valor};
    ativos_.erase(ativo);
    return normalizado;
}

std::vector<Mudanca_Alarme> Avaliador_Alarmes::Nivel(int tanque, std::int64_t agora_ms,
                                                     double percentual) {
    const Limites_Nivel limites = Limites_Do_Tanque(config_, tanque);
    std::vector<Mudanca_Alarme> mudancas;
    for (const Nivel_Alarme& nivel : Niveis) {
        std::optional<Criterio> criterio;
        if (const std::optional<double> limite = limites.*nivel.limite) {
            criterio = Criterio{*limite, nivel.acima, config_.histerese};
        }
        if (auto mudanca = Julgar(nivel.tipo, tanque, agora_ms, criterio, percentual)) {
            mudancas.push_back(std::move(*mudanca));
        }
    }
    return mudancas;
}

std::optional<Mudanca_Alarme> Avaliador_Alarmes::Queda(int tanque, std::int64_t agora_ms,
                                                       double queda) {
    std::optional<Criterio> criterio;
    if (config_.queda_volume > 0 && config_.queda_minutos > 0) {
        criterio = Criterio{config_.queda_volume, true, 0};
    }
    return Julgar(Tipo_Alarme::Queda, tanque, agora_ms, criterio, queda);
}

std::optional<Mudanca_Alarme> Avaliador_Alarmes::Previsao(int tanque, std::int64_t agora_ms,
                                                          std::optional<double> dias) {
    std::optional<Criterio> criterio;
    if (config_.previsao_dias > 0 && Limites_Do_Tanque(config_, tanque).baixo) {
        criterio = Criterio{config_.previsao_dias, false, Histerese_Previsao_Dias};
    }
    return Julgar(Tipo_Alarme::Previsao, tanque, agora_ms, criterio,
                  dias.value_or(std::numeric_limits<double>::infinity()));
}

std::optional<Mudanca_Alarme> Avaliador_Alarmes::Sem_Resposta(std::int64_t agora_ms, double minutos,
                                                              bool respondeu) {
    std::optional<Criterio> criterio;
    if (config_.sem_resposta_minutos > 0) {
        criterio = Criterio{static_cast<double>(config_.sem_resposta_minutos), true, 0};
    }
    if (criterio && !respondeu && ativos_.contains({Tipo_Alarme::Sem_Resposta, Sem_Tanque})) {
        return std::nullopt;
    }
    return Julgar(Tipo_Alarme::Sem_Resposta, Sem_Tanque, agora_ms, criterio, minutos);
}

std::optional<Mudanca_Alarme> Avaliador_Alarmes::Relogio(std::int64_t agora_ms, double deriva_s) {
    return Julgar(Tipo_Alarme::Relogio, Sem_Tanque, agora_ms,
                  Criterio{Deriva_Maxima_Relogio_s, true, 0}, std::fabs(deriva_s));
}

std::optional<Mudanca_Alarme> Avaliador_Alarmes::Reconhecer(Tipo_Alarme tipo, int tanque,
                                                            std::int64_t agora_ms,
                                                            const std::string& quem) {
    const auto ativo = ativos_.find(std::make_pair(tipo, tanque));
    if (ativo == ativos_.end() || ativo->second.reconhecido_ms) {
        return std::nullopt;
    }
    ativo->second.reconhecido_ms = agora_ms;
    ativo->second.reconhecido_por = quem;
    return Mudanca_Alarme{Evento_Alarme::Reconhecido, ativo->second, agora_ms, ativo->second.valor};
}

void Avaliador_Alarmes::Restaurar(const std::vector<Alarme>& ativos) {
    for (const Alarme& alarme : ativos) {
        ativos_.insert_or_assign(std::make_pair(alarme.tipo, alarme.tanque), alarme);
    }
}

std::vector<Alarme> Avaliador_Alarmes::Ativos() const {
    std::vector<Alarme> lista;
    lista.reserve(ativos_.size());
    for (const auto& [chave, alarme] : ativos_) {
        lista.push_back(alarme);
    }
    return lista;
}

}  // namespace qx7
