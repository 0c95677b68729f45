#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "link/digits.h"

namespace qx7 {
namespace {

TEST(So_Digitos, SoZeroANoveEPeloMenosUm) {
    const struct {
        std::string texto;
        bool so_digitos;
    } casos[] = {
        {"0123456789", true},
        {"7", true},
        {"", false},
        {" 1", false},
        {"1 ", false},
        {"-1", false},
        {"+1", false},
        {"1.5", false},
        {"12a", false},
        {"/", false},
        {":", false},
        {"\xb2", false},      // superscript two
        {"\xd9\xa1", false},  // Arabic-Indic one
        {std::string("1\0"
                     "2",
                     3),
         false},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(So_Digitos(c.texto), c.so_digitos) << c.texto;
    }
}

TEST(Inteiro_Decimal, ValorDosDigitosQueCabemNumInt) {
    const struct {
        std::string texto;
        std::optional<int> valor;
    } casos[] = {
        {"0", 0},   {"0017", 17}, {"2147483647", 2147483647}, {"2147483648", {}}, {"", {}},
        {"-1", {}}, {"12 ", {}},  {"99999999999", {}},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Inteiro_Decimal(c.texto), c.valor) << c.texto;
    }
}

}  // namespace
}  // namespace qx7
