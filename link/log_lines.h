#pragma once
// The communication log's lines for queued and transmitted messages and for serial events.
// Numbers are zero-padded to a minimum width and written in full when longer; the message
// texts go in unchanged, control characters included.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx7 {

// "#Msg.=0001 Tam.Msg.TX= 004 Msg.TX= ID02"; lado is "RX" or "TX".
std::string Linha_Fila(std::string_view lado, int indice, std::string_view texto);

// "Tam.Msg.TX= 007 Msg.TX= " followed by the bytes sent.
std::string Linha_Transmissao(std::string_view bytes);

// The line that replaces the transmission line when the port is closed (device unplugged).
std::string Linha_Nao_Transmitida();

// "Evento : " followed by the event's text.
std::string Linha_Evento(std::string_view texto);

// The decimal digits of numero, zero-padded on the left to at least `largura`.
std::string Com_Zeros(std::size_t numero, std::size_t largura);

}  // namespace qx7
