#pragma once
// The frame on the wire: STX, payload, ETX, BCC (exclusive-or of payload and ETX).
// ACK and NAK travel alone, without framing or BCC.

#include <cstdint>
#include <string>
#include <string_view>

namespace qx7 {

inline constexpr char SOH = 0x01;
inline constexpr char STX = 0x02;
inline constexpr char ETX = 0x03;
inline constexpr char ACK = 0x06;
inline constexpr char CR = 0x0D;
inline constexpr char NAK = 0x15;

// Exclusive-or of every byte; 0 for an empty text.
std::uint8_t Calcula_BCC(std::string_view texto);

// STX + payload + ETX + BCC.
std::string Monta_Quadro(std::string_view payload);

// A received frame (STX ... ETX BCC) whose last byte is the exclusive-or of the bytes between
// the first and the last.
bool BCC_Correto(std::string_view quadro);

}  // namespace qx7
