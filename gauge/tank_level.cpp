#include "gauge/tank_level.h"

#include <algorithm>

#include "gauge/number_format.h"
#include "gauge/numeric_text.h"

namespace qx7 {

Nivel_Tanque Calcular_Nivel(double medido, double complementar, char separador,
                            float altura_tanque_twips) {
    const std::string texto = Texto_Percentual(medido, complementar, separador);
    if (texto.empty() || texto == Sem_Representacao) {
        return {texto, altura_tanque_twips, false};
    }
    const double mostrado = std::clamp(Valor_Numerico(texto), 0.0, 100.0);
    const auto vazio = static_cast<float>((1.0 - mostrado / 100.0) * altura_tanque_twips);
    return {texto + "%", vazio, true};
}

}  // namespace qx7
