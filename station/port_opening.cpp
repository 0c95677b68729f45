#include "station/port_opening.h"

#include <string_view>

namespace qx7 {

namespace {

constexpr std::string_view Configuracao_Serial = "9600,N,8,1";

}  // namespace

bool Abrir_Porta(PortaSerial& canal, int numero, Uso_Da_Porta uso) {
    const bool programa = uso == Uso_Da_Porta::Programa;
    bool aceitos = true;
    const auto passo = [&](auto&& fazer) {
        if (aceitos || !programa) {
            aceitos = fazer() && aceitos;
        }
    };
    passo([&] { return canal.CommPort(numero); });
    passo([&] { return canal.Settings(Configuracao_Serial); });
    passo([&] { return canal.InputLen(1); });
    passo([&] { return canal.RThreshold(1); });
    passo([&] { return canal.DTREnable(true); });
    passo([&] { return canal.RTSEnable(!programa); });
    passo([&] { return canal.PortOpen(true); });
    if (!programa) {
        return aceitos;
    }
    passo([&] { return canal.Handshaking(0); });
    if (aceitos) {
        canal.Descartar_Entrada();
    }
    return aceitos;
}

}  // namespace qx7
