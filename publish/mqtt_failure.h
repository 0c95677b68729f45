#pragma once
// Why a connection to the broker failed or ended, as one typed value with the reason in
// Portuguese: the name not found, the connection refused, the broker's certificate not
// trusted, the user or password refused... The publisher logs it and shows it; the
// "Publicação" dialog's "Testar conexão" says it.

#include <QString>

#include "publish/mqtt_config.h"

namespace qx7 {

struct Falha_Mqtt {
    enum class Tipo {
        Nenhuma,
        Configuracao,    // the library refused a setting (a TLS file it cannot read)
        Nome,            // name resolution
        Recusada,        // nothing listens there
        Rede,            // any other network error
        Tempo_Esgotado,  // no answer within the deadline
        Certificado,     // the broker's certificate: not signed by the CA, or another name
        Tls,             // another TLS failure (a port without TLS, say)
        Autenticacao,    // user or password refused
        Protocolo,       // the broker does not speak this MQTT version
        Servidor,        // refused for another reason given by the broker
        Perdida,         // the connection dropped
    };
    Tipo tipo = Tipo::Nenhuma;
    QString texto;

    explicit operator bool() const { return tipo != Tipo::Nenhuma; }
};

// A result of libmosquitto with errno as it was right after the call (the lookup's code for a
// lookup error) and the library's error lines, where OpenSSL's reasons arrive; `conectada`:
// the broker had accepted the connection.
Falha_Mqtt Falha_Da_Biblioteca(int codigo, int erro_sistema, const QString& detalhe,
                               const Configuracao_Mqtt& config, bool conectada = false);

// The broker's answer to CONNECT: an MQTT 5 reason code, or an MQTT 3.1.1 return code.
Falha_Mqtt Falha_Do_Connack(int codigo, const Configuracao_Mqtt& config);

// A broker of MQTT 3.1.1 answers a version 5 CONNECT with this: try again in 3.1.1.
bool Versao_Recusada(int codigo_connack);

Falha_Mqtt Falha_Tempo_Esgotado(int segundos, const Configuracao_Mqtt& config);

}  // namespace qx7
