#pragma once
// Our own texts are written in UTF-8 in the sources; the line, the log and the panel
// interface carry single-byte code page text (Windows-1252). This turns the first into the
// second for the characters Portuguese uses (all below U+0100, where both agree).

#include <string>
#include <string_view>

namespace qx7 {

std::string cp1252(std::string_view utf8);

}  // namespace qx7
