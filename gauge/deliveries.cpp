#include "gauge/deliveries.h"

namespace qx7 {

std::optional<Descarga> Detector_Descargas::Leitura(Ponto_Nivel ponto, double minima) {
    if (anterior_ && ponto.medido > anterior_->medido) {
        if (!inicio_subida_) {
            inicio_subida_ = anterior_;
        }
        anterior_ = ponto;
        return std::nullopt;
    }
    const std::optional<Descarga> terminada = Em_Curso(minima);
    inicio_subida_.reset();
    anterior_ = ponto;
    return terminada;
}

std::optional<Descarga> Detector_Descargas::Em_Curso(double minima) const {
    if (!inicio_subida_) {
        return std::nullopt;
    }
    const Descarga subida{inicio_subida_->instante_ms, anterior_->instante_ms,
                          inicio_subida_->medido, anterior_->medido};
    if (subida.Quantidade() > minima) {
        return subida;
    }
    return std::nullopt;
}

}  // namespace qx7
