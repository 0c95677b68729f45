#include "publish/mqtt_config.h"

namespace qx7 {

QString Configuracao_Mqtt::Servidor() const {
    const QString nome = host.contains(u':') ? QStringLiteral("[%1]").arg(host) : host;
    return QStringLiteral("%1://%2:%3")
        .arg(tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt"), nome)
        .arg(porta);
}

QString Configuracao_Mqtt::Topico(const QString& sufixo) const {
    return QStringLiteral("%1/%2/%3").arg(prefixo, estacao, sufixo);
}

QString Configuracao_Mqtt::Identificador() const {
    return QStringLiteral("%1-%2").arg(prefixo, estacao).replace(u'/', u'-');
}

}  // namespace qx7
