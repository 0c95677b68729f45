#include "station/port_opening.h"

#include <string_view>

namespace qx7 {

namespace {

constexpr std::string_view Configuracao_Serial = "9600,N,8,1";

}  // namespace

bool Abrir_Porta(PortaSerial& canal, int numero) {
    const bool aceitos = canal.CommPort(numero) && canal.Settings(Configuracao_Serial) &&
                         canal.InputLen(1) && canal.RThreshold(1) && canal.DTREnable(true) &&
                         canal.RTSEnable(false) && canal.PortOpen(true) && canal.Handshaking(0);
    if (aceitos) {
        canal.Descartar_Entrada();
    }
    return aceitos;
}

}  // namespace qx7
