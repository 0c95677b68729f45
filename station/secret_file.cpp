#include "station/secret_file.h"

#include <QFileInfo>

namespace qx7 {

namespace {

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

QString Recusa_Arquivo_Secreto(const QString& arquivo, const QString& guarda,
                               const QString& consequencia) {
    const QFileInfo info(arquivo);
    if ((info.permissions() & Abertas_A_Outros) == 0) {
        return {};
    }
    return QStringLiteral(
               "o arquivo %1 guarda %2 e pode ser lido ou alterado por outros "
               "usuários (permissões %3); %4. Restrinja-o ao dono com: chmod 600 '%1'")
        .arg(info.absoluteFilePath(), guarda, Modo_Octal(info.permissions()), consequencia);
}

}  // namespace qx7
