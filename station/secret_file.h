#pragma once
// A file that holds a secret (a password, a private key) and that others may read or change
// gives it away, so it is refused, as ssh refuses a private key that others may read.

#include <QString>

namespace qx7 {

// Why `arquivo` is not used, in Portuguese: it holds `guarda` ("a senha do medidor ([Servico]
// Senha)") and is open to others, so `consequencia` ("a senha não é usada"). Empty when only
// its owner may read and write it.
QString Recusa_Arquivo_Secreto(const QString& arquivo, const QString& guarda,
                               const QString& consequencia);

}  // namespace qx7
