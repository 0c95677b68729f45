#pragma once
// The texts that the serial events put into the log. The CTS change builds its own text from
// the new line state, and a receive event writes no line of its own.

#include <optional>
#include <string>

namespace qx7 {

// The fixed text of an event code, in the log's code page; nothing for the receive event,
// the CTS change and codes the component does not define.
std::optional<std::string> Texto_Evento(int codigo);

// "Ocorreu transição do CTS p/ True" or "... False".
std::string Texto_Mudanca_CTS(bool cts);

}  // namespace qx7
