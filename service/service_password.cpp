#include "service/service_password.h"

#include <QFileInfo>
#include <QSettings>

#include "text/qt_1252.h"

namespace qx7 {

namespace {

const QString Chave_Senha = QStringLiteral("Servico/Senha");

// Read or write rights for the group or for everyone.
constexpr QFileDevice::Permissions Abertas_A_Outros =
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
    QFileDevice::WriteOther;

// "0644", as chmod writes it, from Qt's permission bits (owner, group, others in that order).
QString Modo_Octal(QFileDevice::Permissions permissoes) {
    const auto bits = static_cast<unsigned>(permissoes.toInt());
    return QStringLiteral("0%1%2%3").arg((bits >> 12) & 7U).arg((bits >> 4) & 7U).arg(bits & 7U);
}

}  // namespace

Senha_Servico Ler_Senha_Servico(const QString& arquivo_preferencias) {
    const QSettings preferencias(arquivo_preferencias, QSettings::IniFormat);
    const QVariant senha = preferencias.value(Chave_Senha);
    if (!senha.isValid()) {
        return {};
    }
    const QFileInfo arquivo(arquivo_preferencias);
    if ((arquivo.permissions() & Abertas_A_Outros) != 0) {
        return {.senha = std::nullopt,
                .recusa = QStringLiteral("o arquivo %1 guarda a senha do medidor ([Servico] Senha) "
                                         "e pode ser lido ou alterado por outros usuários "
                                         "(permissões %2); a senha não é usada. Restrinja-o ao "
                                         "dono com: chmod 600 '%1'")
                              .arg(arquivo.absoluteFilePath(), Modo_Octal(arquivo.permissions()))};
    }
    return {.senha = Para_1252(senha.toString()), .recusa = {}};
}

}  // namespace qx7
