#pragma once
// The line, the shared tables and the panel interface hold Windows-1252 text; Qt holds
// QString. These two are the only crossing points.

#include <QString>
#include <string>
#include <string_view>

namespace qx7 {

QString De_1252(std::string_view bytes);
std::string Para_1252(const QString& texto);

}  // namespace qx7
