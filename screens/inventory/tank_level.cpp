#include "screens/inventory/tank_level.h"

#include <algorithm>

#include "gauge/number_format.h"
#include "gauge/numeric_text.h"

namespace qx7 {

Nivel_Tanque Calcular_Nivel(double medido, double complementar, char separador) {
    const std::string texto = Texto_Percentual(medido, complementar, separador);
    if (texto.empty() || texto == Sem_Representacao) {
        return {texto, Altura_Corpo_Tanque_Twips};
    }
    // The level follows the text as shown: with a comma only its whole part reads back.
    const double mostrado = std::clamp(Valor_Numerico(texto), 0.0, 100.0);
    const auto vazio = static_cast<float>((1.0 - mostrado / 100.0) * Altura_Corpo_Tanque_Twips);
    return {texto + "%", vazio};
}

}  // namespace qx7
