#pragma once
// Operating-system error numbers told in Portuguese: the C library's own texts follow the
// process locale, which on a station is often English or "C".

#include <string>

namespace qx7 {

// The reason for errno value `codigo`, in UTF-8, starting in lower case ("permissão negada").
std::string Descricao_Erro_Sistema(int codigo);

}  // namespace qx7
