// libFuzzer entry: any bytes on the line, any rhythm of ticks.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/line_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    if (const std::string quebra = qx7::teste::Exercitar_Linha(dados, tamanho); !quebra.empty()) {
        std::fprintf(stderr, "invariante quebrado: %s\n", quebra.c_str());
        std::abort();  // libFuzzer keeps the input that did it
    }
    return 0;
}
