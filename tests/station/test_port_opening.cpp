// The one port-opening sequence: where it stops after a refusal, which RTS state it leaves,
// and whether the input is discarded.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station/port_opening.h"
#include "tests/support/fake_serial_port.h"

namespace qx7 {
namespace {

enum class Recusa { Nenhuma, CommPort, Abertura };

struct Caso_Abertura {
    const char* nome;
    Recusa recusa;
    bool aberta;
    std::vector<std::string> operacoes;
};

const Caso_Abertura Casos_Abertura[] = {
    {"ProgramaAbre",
     Recusa::Nenhuma,
     true,
     {"CommPort=4", "Settings=9600,N,8,1", "InputLen=1", "RThreshold=1", "DTREnable=True",
      "RTSEnable=False", "PortOpen=True", "Handshaking=0", "InBufferCount=0"}},
    {"ProgramaParaNoNumeroRecusado", Recusa::CommPort, false, {"CommPort=4 (recusado)"}},
    {"ProgramaParaNaAberturaRecusada",
     Recusa::Abertura,
     false,
     {"CommPort=4", "Settings=9600,N,8,1", "InputLen=1", "RThreshold=1", "DTREnable=True",
      "RTSEnable=False", "PortOpen=True (recusado)"}},
};

class Abertura_Da_Porta : public ::testing::TestWithParam<Caso_Abertura> {};

TEST_P(Abertura_Da_Porta, PassosNaOrdemEResultado) {
    const Caso_Abertura& caso = GetParam();
    teste::Porta_Falsa porta;
    if (caso.recusa == Recusa::CommPort) {
        porta.recusa_commport[4] = "número recusado";
    } else if (caso.recusa == Recusa::Abertura) {
        porta.recusa_abertura[4] = "ocupada";
    }
    EXPECT_EQ(Abrir_Porta(porta, 4), caso.aberta);
    EXPECT_EQ(porta.PortOpen(), caso.aberta);
    EXPECT_EQ(porta.operacoes, caso.operacoes);
}

INSTANTIATE_TEST_SUITE_P(Usos, Abertura_Da_Porta, ::testing::ValuesIn(Casos_Abertura),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace qx7
