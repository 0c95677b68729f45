#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "link/serial_settings.h"

namespace qx7 {
namespace {

using Parada = Parametros_Serial::Parada;

// Which texts the adapter accepts is in its own tests; these are the values read, and the
// numbers an int cannot hold.
TEST(Interpretar_Settings, CamposLidos) {
    const struct {
        std::string texto;
        std::optional<Parametros_Serial> lido;
    } casos[] = {
        {"19200,e,7,1.5", Parametros_Serial{19200, 'E', 7, Parada::Um_E_Meio}},
        {"0009600,s,08,2", Parametros_Serial{9600, 'S', 8, Parada::Dois}},
        {"2147483647,O,6,1", Parametros_Serial{2147483647, 'O', 6, Parada::Um}},
        {"2147483648,O,6,1", std::nullopt},
        {"99999999999999999999,N,8,1", std::nullopt},
    };
    for (const auto& c : casos) {
        const std::optional<Parametros_Serial> p = Interpretar_Settings(c.texto);
        ASSERT_EQ(p.has_value(), c.lido.has_value()) << c.texto;
        if (p) {
            EXPECT_EQ(p->baud, c.lido->baud) << c.texto;
            EXPECT_EQ(p->paridade, c.lido->paridade) << c.texto;
            EXPECT_EQ(p->bits_dados, c.lido->bits_dados) << c.texto;
            EXPECT_EQ(p->bits_parada, c.lido->bits_parada) << c.texto;
        }
    }
}

}  // namespace
}  // namespace qx7
