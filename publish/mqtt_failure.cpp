#include "publish/mqtt_failure.h"

#include <mosquitto.h>

#ifdef _WIN32
#include <ws2tcpip.h>  // the resolver's EAI_* codes and gai_strerror
#else
#include <netdb.h>
#endif

#include <cerrno>
#include <cstring>

namespace qx7 {

namespace {

using Tipo = Falha_Mqtt::Tipo;

// CONNACK return codes of MQTT 3.1.1 and reason codes of MQTT 5.
constexpr int Connack_Versao_311 = 1;
constexpr int Connack_Identificador_311 = 2;
constexpr int Connack_Indisponivel_311 = 3;
constexpr int Connack_Senha_311 = 4;
constexpr int Connack_Nao_Autorizado_311 = 5;
constexpr int Razao_Versao_5 = 0x84;
constexpr int Razao_Identificador_5 = 0x85;
constexpr int Razao_Senha_5 = 0x86;
constexpr int Razao_Nao_Autorizado_5 = 0x87;
constexpr int Razao_Indisponivel_5 = 0x88;
constexpr int Razao_Ocupado_5 = 0x89;
constexpr int Razao_Banido_5 = 0x8A;

QString Nome_Do_Erro_Dns(int codigo) {
    switch (codigo) {
        case EAI_NONAME:
#ifdef EAI_NODATA
        case EAI_NODATA:
#endif
            return QStringLiteral("nome desconhecido");
        case EAI_AGAIN:
            return QStringLiteral("falha temporária na resolução de nomes: há rede e DNS?");
        default:
            return QString::fromLocal8Bit(gai_strerror(codigo));
    }
}

QString Sem_Tls_Na_Porta(const Configuracao_Mqtt& config) {
    return QStringLiteral("%1 não respondeu em TLS (a porta é sem TLS? use mqtt://)")
        .arg(config.Servidor());
}

// Dropped before the broker accepted: over TLS the broker did not speak it, or the other way
// round. Once connected it is a lost connection like any other.
Falha_Mqtt Falha_De_Rede(int erro_sistema, const Configuracao_Mqtt& config, bool conectada) {
    if (conectada) {
        return {Tipo::Perdida,
                QStringLiteral("conexão com %1 perdida: %2")
                    .arg(config.Servidor(), QString::fromLocal8Bit(std::strerror(erro_sistema)))};
    }
    switch (erro_sistema) {
        case ECONNREFUSED:
            return {Tipo::Recusada,
                    QStringLiteral("%1 recusou a conexão: nenhum servidor escuta nessa porta")
                        .arg(config.Servidor())};
        case ECONNRESET:
        case EPIPE:
            if (config.tls) {
                return {Tipo::Tls, Sem_Tls_Na_Porta(config)};
            }
            return {Tipo::Perdida,
                    QStringLiteral("%1 encerrou a conexão antes de aceitá-la (a porta espera TLS? "
                                   "use mqtts://)")
                        .arg(config.Servidor())};
        case ETIMEDOUT:
            return {Tipo::Tempo_Esgotado,
                    QStringLiteral("%1 não respondeu (tempo esgotado)").arg(config.Servidor())};
        default:
            return {Tipo::Rede, QStringLiteral("erro de rede com %1: %2")
                                    .arg(config.Servidor(),
                                         QString::fromLocal8Bit(std::strerror(erro_sistema)))};
    }
}

// OpenSSL says "certificate verify failed" both for a certificate signed by no CA it trusts and
// for one of another host; libmosquitto logs the latter before it.
Falha_Mqtt Falha_De_Tls(const QString& detalhe, const Configuracao_Mqtt& config) {
    if (detalhe.contains(QStringLiteral("host name verification failed"))) {
        return {
            Tipo::Certificado,
            QStringLiteral("o certificado do servidor não vale para o nome %1").arg(config.host)};
    }
    if (detalhe.contains(QStringLiteral("certificate verify failed"))) {
        const QString quem = config.ca.isEmpty()
                                 ? QStringLiteral("por nenhuma autoridade (CA) do sistema")
                                 : QStringLiteral("pela CA de %1").arg(config.ca);
        return {Tipo::Certificado,
                QStringLiteral("o certificado do servidor não foi assinado %1").arg(quem)};
    }
    if (detalhe.contains(QStringLiteral("unexpected eof"))) {
        return {Tipo::Tls, Sem_Tls_Na_Porta(config)};
    }
    return {Tipo::Tls, QStringLiteral("falha no TLS com %1%2")
                           .arg(config.Servidor(),
                                detalhe.isEmpty() ? QString() : QStringLiteral(": ") + detalhe)};
}

}  // namespace

Falha_Mqtt Falha_Da_Biblioteca(int codigo, int erro_sistema, const QString& detalhe,
                               const Configuracao_Mqtt& config, bool conectada) {
    switch (codigo) {
        case MOSQ_ERR_SUCCESS:
            return {};
        case MOSQ_ERR_EAI:
        case MOSQ_ERR_LOOKUP:
            return {Tipo::Nome, QStringLiteral("o nome %1 não foi encontrado (%2)")
                                    .arg(config.host, Nome_Do_Erro_Dns(erro_sistema))};
        case MOSQ_ERR_ERRNO:
            return Falha_De_Rede(erro_sistema, config, conectada);
        case MOSQ_ERR_CONN_LOST:
            return erro_sistema != 0 ? Falha_De_Rede(erro_sistema, config, conectada)
                                     : Falha_Mqtt{Tipo::Perdida, QStringLiteral("conexão perdida")};
        case MOSQ_ERR_TLS:
        case MOSQ_ERR_TLS_HANDSHAKE:
            return Falha_De_Tls(detalhe, config);
        case MOSQ_ERR_INVAL:
            return {Tipo::Configuracao,
                    QStringLiteral("configuração recusada pela biblioteca MQTT%1")
                        .arg(detalhe.isEmpty() ? QString() : QStringLiteral(": ") + detalhe)};
        case MOSQ_ERR_KEEPALIVE:
            return {Tipo::Tempo_Esgotado,
                    QStringLiteral("%1 deixou de responder").arg(config.Servidor())};
        default:
            return {Tipo::Perdida,
                    QStringLiteral("conexão com %1 encerrada: %2")
                        .arg(config.Servidor(), QString::fromUtf8(mosquitto_strerror(codigo)))};
    }
}

bool Versao_Recusada(int codigo_connack) {
    return codigo_connack == Connack_Versao_311 || codigo_connack == Razao_Versao_5;
}

Falha_Mqtt Falha_Do_Connack(int codigo, const Configuracao_Mqtt& config) {
    switch (codigo) {
        case 0:
            return {};
        case Connack_Senha_311:
        case Connack_Nao_Autorizado_311:
        case Razao_Senha_5:
        case Razao_Nao_Autorizado_5:
            return {Tipo::Autenticacao,
                    QStringLiteral("usuário ou senha recusados por %1").arg(config.Servidor())};
        case Connack_Versao_311:
        case Razao_Versao_5:
            return {Tipo::Protocolo,
                    QStringLiteral("%1 não aceita esta versão do MQTT").arg(config.Servidor())};
        case Connack_Identificador_311:
        case Razao_Identificador_5:
            return {Tipo::Servidor, QStringLiteral("%1 recusou o identificador de cliente %2")
                                        .arg(config.Servidor(), config.Identificador())};
        case Connack_Indisponivel_311:
        case Razao_Indisponivel_5:
        case Razao_Ocupado_5:
            return {Tipo::Servidor,
                    QStringLiteral("%1 está indisponível no momento").arg(config.Servidor())};
        case Razao_Banido_5:
            return {Tipo::Servidor, QStringLiteral("%1 baniu este cliente").arg(config.Servidor())};
        default:
            return {Tipo::Servidor, QStringLiteral("%1 recusou a conexão (código %2: %3)")
                                        .arg(config.Servidor())
                                        .arg(codigo)
                                        .arg(QString::fromUtf8(mosquitto_reason_string(codigo)))};
    }
}

Falha_Mqtt Falha_Tempo_Esgotado(int segundos, const Configuracao_Mqtt& config) {
    return {Tipo::Tempo_Esgotado,
            QStringLiteral("%1 não respondeu em %2 s").arg(config.Servidor()).arg(segundos)};
}

}  // namespace qx7
