#pragma once
// Where the station publishes and as whom: the broker's address, the credentials, the TLS
// files and the names that make up the topics. A value already checked: the station reads and
// checks [Publicacao] of Preferencias.ini before it builds one.

#include <QString>

namespace qx7 {

inline constexpr int Porta_Mqtt_Padrao = 1883;
inline constexpr int Porta_Mqtts_Padrao = 8883;
inline constexpr const char* Prefixo_Padrao = "qx7";

struct Configuracao_Mqtt {
    QString host;
    int porta = Porta_Mqtt_Padrao;
    bool tls = false;  // mqtts://: the broker's certificate and host name are checked
    QString usuario;   // empty: none sent
    QString senha;
    QString ca;           // the CA file; empty: the system's CAs
    QString certificado;  // the client's certificate and its key; both or none
    QString chave;
    QString estacao;  // the station's name in the topics
    QString prefixo = QString::fromLatin1(Prefixo_Padrao);

    bool operator==(const Configuracao_Mqtt&) const = default;

    // "mqtts://host:porta", as the operator wrote it in substance.
    QString Servidor() const;
    // "<prefixo>/<estacao>/<sufixo>".
    QString Topico(const QString& sufixo) const;
    // The MQTT client identifier: one session per station on the broker.
    QString Identificador() const;
};

}  // namespace qx7
