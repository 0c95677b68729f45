#include "link/output_drain.h"

#include <algorithm>

namespace qx7 {

namespace {

constexpr std::int64_t Fila_Uart = 16;  // bytes a UART may still hold once the kernel's is empty
constexpr std::chrono::milliseconds Margem_Escoamento{20};
constexpr std::chrono::milliseconds Intervalo_Consulta{1};
constexpr std::int64_t Microssegundos = 1'000'000;

// Start bit, data, parity and stop bits, in half bits so that 1.5 stop bits count exactly.
std::int64_t Meios_Bits(const Parametros_Serial& p) {
    const std::int64_t parada = p.bits_parada == Parametros_Serial::Parada::Um          ? 2
                                : p.bits_parada == Parametros_Serial::Parada::Um_E_Meio ? 3
                                                                                        : 4;
    return 2 * (1 + p.bits_dados + (p.paridade == 'N' ? 0 : 1)) + parada;
}

}  // namespace

std::chrono::microseconds Tempo_Linha(std::int64_t bytes, const Parametros_Serial& p) {
    const std::int64_t meios_bits = std::max<std::int64_t>(bytes, 0) * Meios_Bits(p);
    const std::int64_t divisor = 2 * static_cast<std::int64_t>(std::max(p.baud, 1));
    return std::chrono::microseconds((meios_bits * Microssegundos + divisor - 1) / divisor);
}

std::chrono::milliseconds Limite_Escoamento(std::int64_t bytes, const Parametros_Serial& p) {
    const auto linha = Tempo_Linha(std::max<std::int64_t>(bytes, 0) + Fila_Uart, p);
    return std::chrono::ceil<std::chrono::milliseconds>(linha) + Margem_Escoamento;
}

Fim_Escoamento Esperar_Escoamento(const Ambiente_Escoamento& ambiente,
                                  Relogio_Linha::time_point nao_antes,
                                  const Parametros_Serial& parametros) {
    if (!ambiente.dormir_ate(nao_antes)) {
        return Fim_Escoamento::Cancelado;
    }
    const std::int64_t primeiro = ambiente.pendentes();
    if (primeiro <= 0) {
        return Fim_Escoamento::Escoou;
    }
    const auto limite = ambiente.agora() + Limite_Escoamento(primeiro, parametros);
    for (;;) {
        if (ambiente.agora() >= limite) {
            return Fim_Escoamento::Limite;
        }
        if (!ambiente.dormir_ate(std::min(ambiente.agora() + Intervalo_Consulta, limite))) {
            return Fim_Escoamento::Cancelado;
        }
        if (ambiente.pendentes() <= 0) {
            return Fim_Escoamento::Escoou;
        }
    }
}

}  // namespace qx7
