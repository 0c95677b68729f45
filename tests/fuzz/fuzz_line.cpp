// libFuzzer entry: any bytes on the line, any rhythm of ticks.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/line_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    qx7::teste::Exercitar_Linha(dados, tamanho);
    return 0;
}
