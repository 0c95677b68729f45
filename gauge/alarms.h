#pragma once
// The station's alarms, judged from plain values: a tank's fill, a fall of its measured value,
// the forecast of its "Baixo" level, the gauge's silence and its clock's drift. Values and
// instants come in, raises, clears and acknowledgements go out; there is no clock here, so the
// caller's (or a test's) decides. An alarm clears only once its value is back past the limit by
// the hysteresis, so a value hovering at the limit raises it once.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx7 {

enum class Tipo_Alarme {
    Muito_Alto,
    Alto,
    Baixo,
    Muito_Baixo,
    Queda,
    Sem_Resposta,
    Relogio,
    Previsao
};

// The tank of the gauge's own alarms (silence, clock), which belong to no tank.
inline constexpr int Sem_Tanque = 0;
inline constexpr int Maximo_Tanques_Alarme = 16;

struct Descricao_Alarme {
    Tipo_Alarme tipo;
    const char* nome;     // as the operator reads it and the history keeps it (UTF-8)
    const char* unidade;  // of its limit and value (UTF-8); empty: the tank's own unit
};

inline constexpr std::array<Descricao_Alarme, 8> Tipos_Alarme = {{
    {Tipo_Alarme::Muito_Alto, "Muito alto", "%"},
    {Tipo_Alarme::Alto, "Alto", "%"},
    {Tipo_Alarme::Baixo, "Baixo", "%"},
    {Tipo_Alarme::Muito_Baixo, "Muito baixo", "%"},
    {Tipo_Alarme::Queda, "Queda", ""},
    {Tipo_Alarme::Sem_Resposta, "Medidor sem resposta", "min"},
    {Tipo_Alarme::Relogio, "Relógio do medidor", "s"},
    {Tipo_Alarme::Previsao, "Previsão", "dias"},
}};

const Descricao_Alarme& Descrever(Tipo_Alarme tipo);
// The kind a stored name stands for; none for a name this release does not know.
std::optional<Tipo_Alarme> Tipo_Do_Nome(std::string_view nome);

// Percent of the tank; none: not set.
struct Limites_Nivel {
    std::optional<double> muito_alto{}, alto{}, baixo{}, muito_baixo{};
    bool operator==(const Limites_Nivel&) const = default;
};

struct Config_Alarmes {
    static constexpr double Histerese_Padrao = 1.0;
    static constexpr int Sem_Resposta_Padrao_Minutos = 60;
    static constexpr double Descarga_Minima_Padrao = 500;
    static constexpr double Previsao_Padrao_Dias = 2;

    Limites_Nivel padrao{};                  // every tank's, where its own say nothing
    std::map<int, Limites_Nivel> tanques{};  // tank 1..16 → its own limits
    double histerese = Histerese_Padrao;     // percentage points
    double queda_volume = 0;                 // the tank's unit; 0: off
    int queda_minutos = 0;                   // 0: off
    int sem_resposta_minutos = Sem_Resposta_Padrao_Minutos;  // 0: off
    double descarga_minima = Descarga_Minima_Padrao;
    double previsao_dias = Previsao_Padrao_Dias;  // 0: off
    bool operator==(const Config_Alarmes&) const = default;
};

// The tank's own limits, each one it does not set taken from the defaults.
Limites_Nivel Limites_Do_Tanque(const Config_Alarmes& config, int tanque);

// Beyond this drift of the gauge's clock from the computer's the alarm is raised.
inline constexpr double Deriva_Maxima_Relogio_s = 120;
// The forecast moves a little with every reading; this keeps it from raising and clearing in
// turn around the limit.
inline constexpr double Histerese_Previsao_Dias = 0.25;

struct Alarme {
    Tipo_Alarme tipo = Tipo_Alarme::Alto;
    int tanque = Sem_Tanque;
    double limite = 0;
    double valor = 0;  // the value that raised it
    std::int64_t levantado_ms = 0;
    std::optional<std::int64_t> reconhecido_ms{};
    std::string reconhecido_por{};  // the operator's login name
    bool operator==(const Alarme&) const = default;
};

enum class Evento_Alarme { Levantado, Normalizado, Reconhecido };

struct Mudanca_Alarme {
    Evento_Alarme evento = Evento_Alarme::Levantado;
    Alarme alarme{};  // the occurrence, as it stands after the change
    std::int64_t instante_ms = 0;
    double valor = 0;  // the value that raised or cleared it; the raising one when acknowledged
};

class Avaliador_Alarmes {
  public:
    void Definir_Config(Config_Alarmes config) { config_ = std::move(config); }
    const Config_Alarmes& Config() const { return config_; }

    // One reading of a tank: its fill in percent.
    std::vector<Mudanca_Alarme> Nivel(int tanque, std::int64_t agora_ms, double percentual);
    // How far its measured value fell within the set minutes (0: it did not).
    std::optional<Mudanca_Alarme> Queda(int tanque, std::int64_t agora_ms, double queda);
    // Days until it reaches its "Baixo" level; none: no forecast (it is not being drawn from).
    std::optional<Mudanca_Alarme> Previsao(int tanque, std::int64_t agora_ms,
                                           std::optional<double> dias);
    // Minutes the gauge has owed an answer, and whether it answered since: only an answer
    // clears the alarm (a station that reconnects owes from then on, and has not been answered).
    std::optional<Mudanca_Alarme> Sem_Resposta(std::int64_t agora_ms, double minutos,
                                               bool respondeu);
    // Gauge minus computer, in seconds, at a clock answer.
    std::optional<Mudanca_Alarme> Relogio(std::int64_t agora_ms, double deriva_s);

    // None when no such alarm is active or it was already acknowledged.
    std::optional<Mudanca_Alarme> Reconhecer(Tipo_Alarme tipo, int tanque, std::int64_t agora_ms,
                                             const std::string& quem);

    // Alarms still active when the program last ran, as the history kept them.
    void Restaurar(const std::vector<Alarme>& ativos);
    std::vector<Alarme> Ativos() const;

  private:
    struct Criterio {
        double limite = 0;
        bool acima = true;  // raised above the limit; otherwise below it
        double histerese = 0;
    };

    // Raises or clears the alarm for the value; no criterion (the limit was taken away) clears
    // an active one.
    std::optional<Mudanca_Alarme> Julgar(Tipo_Alarme tipo, int tanque, std::int64_t agora_ms,
                                         const std::optional<Criterio>& criterio, double valor);

    Config_Alarmes config_;
    std::map<std::pair<Tipo_Alarme, int>, Alarme> ativos_;
};

}  // namespace qx7
