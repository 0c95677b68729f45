#include "link/output_drain.h"

#include <algorithm>
#include <thread>

namespace qx7 {

namespace {

constexpr std::int64_t Fila_Uart = 16;  // bytes a UART may still hold once the kernel's is empty
constexpr std::chrono::milliseconds Margem_Escoamento{20};

}  // namespace

std::chrono::milliseconds Limite_Escoamento(std::int64_t bytes, const Parametros_Serial& p) {
    // Start bit, data, parity and stop bits, in half bits so that 1.5 stop bits count exactly.
    const std::int64_t meios_bits = 2 * (1 + p.bits_dados + (p.paridade == 'N' ? 0 : 1)) +
                                    (p.bits_parada == Parametros_Serial::Parada::Um          ? 2
                                     : p.bits_parada == Parametros_Serial::Parada::Um_E_Meio ? 3
                                                                                             : 4);
    const std::int64_t meios_bits_total =
        (std::max<std::int64_t>(bytes, 0) + Fila_Uart) * meios_bits;
    const std::int64_t divisor = 2 * static_cast<std::int64_t>(std::max(p.baud, 1));
    const std::int64_t ms = (meios_bits_total * 1000 + divisor - 1) / divisor;
    return std::chrono::milliseconds(ms) + Margem_Escoamento;
}

bool Esperar_Escoamento(const std::function<std::int64_t()>& pendentes,
                        std::chrono::milliseconds limite) {
    const auto fim = std::chrono::steady_clock::now() + limite;
    for (;;) {
        if (pendentes() <= 0) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= fim) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace qx7
