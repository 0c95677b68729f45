#include "service/service_password.h"

#include <QSettings>

#include "station/secret_file.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

const QString Chave_Senha = QStringLiteral("Servico/Senha");

}  // namespace

Senha_Servico Ler_Senha_Servico(const QString& arquivo_preferencias) {
    const QSettings preferencias(arquivo_preferencias, QSettings::IniFormat);
    const QVariant senha = preferencias.value(Chave_Senha);
    if (!senha.isValid()) {
        return {};
    }
    QString recusa = Recusa_Arquivo_Secreto(arquivo_preferencias,
                                            QStringLiteral("a senha do medidor ([Servico] Senha)"),
                                            QStringLiteral("a senha não é usada"));
    if (!recusa.isEmpty()) {
        return {.senha = std::nullopt, .recusa = std::move(recusa)};
    }
    return {.senha = Para_1252(senha.toString()), .recusa = {}};
}

}  // namespace qx7
