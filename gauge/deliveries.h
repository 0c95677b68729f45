#pragma once
// Deliveries found in one tank's readings: a rise of the measured value by more than the set
// minimum between two readings, or over readings that keep rising. A rise is known to be over
// only when a reading does not go on rising, so a delivery is told at that reading, with the
// last rising one as its end: the amount on the invoice can be checked against it.

#include <cstdint>
#include <optional>

namespace qx7 {

struct Ponto_Nivel {
    std::int64_t instante_ms = 0;
    double medido = 0;
};

struct Descarga {
    std::int64_t inicio_ms = 0;  // the last reading before the rise
    std::int64_t fim_ms = 0;     // the last reading of the rise
    double antes = 0;
    double depois = 0;
    double Quantidade() const { return depois - antes; }
    bool operator==(const Descarga&) const = default;
};

class Detector_Descargas {
  public:
    // The delivery this reading ends, if it ends one larger than `minima`.
    std::optional<Descarga> Leitura(Ponto_Nivel ponto, double minima);
    // The rise under way, already larger than `minima`; none while there is none.
    std::optional<Descarga> Em_Curso(double minima) const;

  private:
    std::optional<Ponto_Nivel> anterior_;
    std::optional<Ponto_Nivel> inicio_subida_;  // where the readings began to rise
};

}  // namespace qx7
