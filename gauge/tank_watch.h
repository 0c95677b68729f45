#pragma once
// Every tank's readings of the last days, as the alarms, the deliveries and the forecast need
// them: each reading is judged against the tank's limits, may end a delivery, and moves the
// forecast of the day the tank runs dry. The history of those days is loaded first, so a
// program just started forecasts at once and a delivery under way at its start is not lost.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "gauge/alarms.h"
#include "gauge/deliveries.h"
#include "gauge/forecast.h"

namespace qx7 {

struct Leitura_Valores {
    int tanque = 0;
    std::int64_t instante_ms = 0;
    std::optional<double> medido{}, complementar{};  // none: not a number as received
};

struct Resultado_Leitura {
    std::vector<Mudanca_Alarme> mudancas{};
    std::optional<Descarga> descarga{};  // ended by this reading
};

class Vigia_Tanques {
  public:
    explicit Vigia_Tanques(Avaliador_Alarmes& avaliador) : avaliador_(avaliador) {}

    // A reading from the history, oldest first, before any live one: nothing is judged or told.
    void Carregar(const Leitura_Valores& leitura);
    // A live reading. A tank out of 1..16, or a value that is not a number, changes nothing.
    Resultado_Leitura Leitura(const Leitura_Valores& leitura);
    // As of the tank's last reading; nothing when it has none.
    Previsao_Tanque Previsao(int tanque) const;

  private:
    struct Estado_Tanque {
        std::vector<Ponto_Nivel> pontos;  // from `inicio` on: the window's readings
        std::size_t inicio = 0;
        std::vector<Descarga> descargas;  // ended within the window
        Detector_Descargas detector;
        double total = 0;  // measured + complementary at the last reading
    };

    // Into the window (older readings and deliveries leave it); the delivery it ends, if any.
    std::optional<Descarga> Acrescentar(Estado_Tanque& estado, const Leitura_Valores& leitura);
    double Queda(const Estado_Tanque& estado) const;

    Avaliador_Alarmes& avaliador_;
    std::map<int, Estado_Tanque> tanques_;
};

}  // namespace qx7
