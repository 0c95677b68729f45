#pragma once
// A log line as a person reads it: Windows-1252 decoded, control characters by their names in
// angle brackets (<STX>, <ETX>, <ACK>, <NAK>, ..., <DEL>), so a frame reads <STX>ID02<ETX><FF>
// in any font and in a journal that would otherwise store the line as binary.

#include <QString>
#include <string_view>

namespace qx7 {

QString Texto_Visivel(std::string_view linha);

}  // namespace qx7
