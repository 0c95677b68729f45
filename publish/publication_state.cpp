#include "publish/publication_state.h"

#include "publish/mqtt_client.h"

namespace qx7 {

namespace {

QString Versao(int versao) {
    return versao == Versao_Mqtt_5 ? QStringLiteral("MQTT 5") : QStringLiteral("MQTT 3.1.1");
}

}  // namespace

QString Texto_Estado_Publicacao(const Estado_Publicacao& e) {
    QString espera = QStringLiteral("%1 à espera").arg(e.pendentes);
    if (e.descartadas > 0) {
        espera += QStringLiteral(", %1 leituras descartadas com a fila cheia").arg(e.descartadas);
    }
    switch (e.situacao) {
        case Situacao_Publicacao::Desligada:
            return QStringLiteral("desligada");
        case Situacao_Publicacao::Recusada:
            return QStringLiteral("recusada: %1").arg(e.ultimo_erro);
        case Situacao_Publicacao::Conectando:
            return QStringLiteral("conectando a %1, %2").arg(e.servidor, espera);
        case Situacao_Publicacao::Conectada:
            return QStringLiteral("conectada a %1 (%2), %3%4")
                .arg(e.servidor, Versao(e.versao_mqtt), espera,
                     e.ultimo_erro.isEmpty()
                         ? QString()
                         : QStringLiteral("; último erro: %1").arg(e.ultimo_erro));
        case Situacao_Publicacao::Sem_Conexao:
            return QStringLiteral("sem conexão com %1: %2; %3")
                .arg(e.servidor, e.ultimo_erro, espera);
    }
    return {};
}

}  // namespace qx7
