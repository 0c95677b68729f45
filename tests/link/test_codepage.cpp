#include <gtest/gtest.h>

#include <string>

#include "link/codepage.h"
#include "link_bench.h"

namespace qx7::teste {
namespace {

struct Caso_Codigo {
    std::string utf8;
    std::string cp1252;
};

class Pagina_Codigo : public ::testing::TestWithParam<Caso_Codigo> {};

TEST_P(Pagina_Codigo, ConverteUTF8ParaUmBytePorCaracter) {
    EXPECT_EQ(qx7::cp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Pagina_Codigo,
    ::testing::Values(Caso_Codigo{"Status: Recebeu ACK!", "Status: Recebeu ACK!"},
                      Caso_Codigo{"Transmissão", "Transmiss" + Bytes({0xE3}) + "o"},
                      Caso_Codigo{"recepção", "recep" + Bytes({0xE7, 0xE3}) + "o"},
                      Caso_Codigo{"ÇÃÉÍÓÚâêô",
                                  Bytes({0xC7, 0xC3, 0xC9, 0xCD, 0xD3, 0xDA, 0xE2, 0xEA, 0xF4})},
                      Caso_Codigo{"\xC2\xA0\xC2\xBA", Bytes({0xA0, 0xBA})},
                      Caso_Codigo{Bytes({0x02, 0x00, 0x7F}), Bytes({0x02, 0x00, 0x7F})},
                      // Outside what the code page holds here: one '?' per character.
                      Caso_Codigo{"a€b", "a?b"}, Caso_Codigo{"\xF0\x9F\x98\x80!", "?!"},
                      // Broken sequences: a lead byte without its continuation does not eat the
                      // next character.
                      Caso_Codigo{"\xC3"
                                  "A",
                                  "?A"},
                      Caso_Codigo{"x\xC3", "x?"}, Caso_Codigo{"\xA9z", "?z"}));

}  // namespace
}  // namespace qx7::teste
