#pragma once
// How the publishing stands, as the "Enlace" tab and the service's status line show it.

#include <QString>
#include <QtGlobal>
#include <cstdint>

namespace qx7 {

enum class Situacao_Publicacao {
    Desligada,    // no [Publicacao]: nothing is published
    Recusada,     // the settings were refused (the reason is the last error)
    Conectando,   // the first attempt is under way
    Conectada,    // publishing
    Sem_Conexao,  // waiting for the next attempt
};

struct Estado_Publicacao {
    Situacao_Publicacao situacao = Situacao_Publicacao::Desligada;
    QString servidor{};     // "mqtts://host:porta"
    QString ultimo_erro{};  // why the last attempt failed or the connection dropped; may stay
                            // after it is back, until the next failure replaces it
    qint64 pendentes = 0;   // rows (or live readings) waiting to be acknowledged
    std::uint64_t publicadas = 0;   // rows and readings acknowledged since the program started
    std::uint64_t descartadas = 0;  // live readings dropped from the full queue
    int versao_mqtt = 0;            // 5 or 4 (3.1.1) while connected

    bool operator==(const Estado_Publicacao&) const = default;
};

// "conectada a mqtts://h:8883 (MQTT 5), 0 à espera; último erro: ...", "sem conexão com ...:
// motivo; 12 à espera", "desligada".
QString Texto_Estado_Publicacao(const Estado_Publicacao& estado);

}  // namespace qx7
