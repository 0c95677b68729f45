#include "tools/simulador/gauge_model.h"

#include <algorithm>

#include "gauge/numeric_text.h"

namespace qx7::simulador {

namespace {

using namespace std::chrono;

int Inteiro(double valor) {
    int inteiro = 0;
    Inteiro_Par(valor, inteiro);
    return inteiro;
}

double Total(const Tanque_Config& tanque) {
    return tanque.medido + tanque.complementar.value_or(tanque.capacidade - tanque.medido);
}

// Measured quantity after `minutos` of drift; the sum with the free space stays constant.
double Medido_Apos(const Tanque_Config& tanque, double minutos) {
    return std::clamp(tanque.medido + tanque.deriva * minutos, 0.0, std::max(Total(tanque), 0.0));
}

// Two records a day (06:00 and 18:00) for each tank, yesterday and on the first day,
// as if taken while the levels drifted.
std::vector<Registro_Programado> Programadas_Padrao(const Config_Medidor& config,
                                                    Hora_Civil inicio) {
    std::vector<Registro_Programado> registros;
    const auto hoje = floor<days>(inicio);
    for (const auto dia : {hoje - days{1}, hoje}) {
        for (const auto hora : {hours{6}, hours{18}}) {
            const Hora_Civil quando = dia + hora;
            const double minutos = duration<double, std::ratio<60>>(quando - inicio).count();
            for (int t = 1; t <= config.numero_tanques; ++t) {
                const auto& tanque = config.tanques[static_cast<std::size_t>(t - 1)];
                // Sales run at the daily rate only during opening hours, hence a tenth.
                const int volume = Inteiro(Medido_Apos(tanque, minutos / 10.0));
                registros.push_back({Texto_Data(quando), Texto_Hora(quando), t, volume});
            }
        }
    }
    return registros;
}

}  // namespace

Modelo_Medidor::Modelo_Medidor(Config_Medidor config, Instante inicio)
    : config_(std::move(config)),
      inicio_(inicio),
      relogio_inicial_(config_.relogio_inicial.value_or(Hora_Local_Atual())) {
    if (config_.programadas_padrao && config_.programadas.empty()) {
        config_.programadas = Programadas_Padrao(config_, relogio_inicial_);
    }
    origem_.fill(inicio);
    for (int t = 1; t <= Maximo_Tanques; ++t) {
        memoria_[static_cast<std::size_t>(t - 1)] = Medir(t, inicio);
    }
}

void Modelo_Medidor::Redefinir(Config_Medidor config, Instante agora) {
    for (std::size_t i = 0; i < config.tanques.size(); ++i) {
        if (!(config.tanques[i] == config_.tanques[i])) {
            origem_[i] = agora;
        }
    }
    config_ = std::move(config);
}

const Tanque_Config& Modelo_Medidor::Tanque(int t) const {
    return config_.tanques.at(static_cast<std::size_t>(t - 1));
}

Hora_Civil Modelo_Medidor::Relogio(Instante agora) const {
    return relogio_inicial_ + floor<seconds>(agora - inicio_);
}

Leitura Modelo_Medidor::Medir(int t, Instante agora) {
    const auto& tanque = Tanque(t);
    const double minutos =
        duration<double, std::ratio<60>>(agora - origem_.at(static_cast<std::size_t>(t - 1)))
            .count();
    const double medido = Medido_Apos(tanque, minutos);
    const int inteiro = Inteiro(medido);
    Leitura leitura{t, inteiro, Inteiro(Total(tanque)) - inteiro, Relogio(agora)};
    memoria_.at(static_cast<std::size_t>(t - 1)) = leitura;
    return leitura;
}

const Leitura& Modelo_Medidor::Memoria(int t) const {
    return memoria_.at(static_cast<std::size_t>(t - 1));
}

std::vector<Registro_Programado> Modelo_Medidor::Programadas(std::string_view data) const {
    std::vector<Registro_Programado> do_dia;
    std::copy_if(config_.programadas.begin(), config_.programadas.end(), std::back_inserter(do_dia),
                 [data](const Registro_Programado& r) { return r.data == data; });
    return do_dia;
}

}  // namespace qx7::simulador
