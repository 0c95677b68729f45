#pragma once
// The password the service connects with: `[Servico]` `Senha=` in Preferencias.ini. A file
// that others may read gives the password away, so it is refused, as ssh refuses a private key
// that others may read.

#include <QString>
#include <optional>
#include <string>

namespace qx7 {

struct Senha_Servico {
    std::optional<std::string> senha;  // in the line's code page; none: not set
    QString recusa;                    // why the file is not used (Portuguese); empty: used
};

Senha_Servico Ler_Senha_Servico(const QString& arquivo_preferencias);

}  // namespace qx7
