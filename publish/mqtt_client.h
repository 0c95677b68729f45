#pragma once
// One MQTT connection over libmosquitto, driven by the thread that owns it: every call and
// every callback happen on that thread, so nothing here takes a lock. A connection is made
// whole each time (a fresh client), in MQTT 5, again in 3.1.1 when the broker refuses 5;
// over mqtts:// the broker's certificate and host name are always checked.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>

#include "publish/mqtt_config.h"
#include "publish/mqtt_failure.h"

struct mosquitto;

namespace qx7 {

inline constexpr int Versao_Mqtt_5 = 5;
inline constexpr int Versao_Mqtt_311 = 4;

struct Mensagem_Mqtt {
    QByteArray topico;
    QByteArray conteudo;
    bool retida = false;
};

class Cliente_Mqtt {
  public:
    struct Opcoes {
        Configuracao_Mqtt config;
        QString identificador;  // the client identifier; the configuration's when empty
        int em_voo = 0;         // messages the library may have unacknowledged; 0: its default
        std::function<void(int id)> confirmada{};  // the broker's PUBACK of a message
    };

    explicit Cliente_Mqtt(Opcoes opcoes);
    ~Cliente_Mqtt();
    Cliente_Mqtt(const Cliente_Mqtt&) = delete;
    Cliente_Mqtt& operator=(const Cliente_Mqtt&) = delete;

    // Connects and waits up to `prazo` for the broker to accept; `desistir` is asked between
    // waits (a stopping program). `ultima_vontade`: published by the broker, QoS 1, if the
    // connection ends without a DISCONNECT.
    Falha_Mqtt Conectar(std::chrono::milliseconds prazo, const std::function<bool()>& desistir,
                        const std::optional<Mensagem_Mqtt>& ultima_vontade);
    bool Conectado() const { return conectado_; }
    int Versao() const { return versao_; }

    // QoS 1; the id its PUBACK will carry, none when the connection cannot take it (the
    // failure is then in Falha()).
    std::optional<int> Publicar(const Mensagem_Mqtt& mensagem);
    // The network's work for up to `espera_ms`: acknowledgements read, queued packets written,
    // the connection kept alive. A failure means the connection is gone.
    Falha_Mqtt Processar(int espera_ms);
    // A DISCONNECT, so the broker drops the last will; the client is closed afterwards.
    void Desconectar();
    const Falha_Mqtt& Falha() const { return falha_; }

  private:
    // libmosquitto's callbacks, in the .cpp, reach the client through these.
    friend struct Retornos_Mosquitto;
    void Registrar(int nivel, const char* texto);

    Falha_Mqtt Tentar(int versao, std::chrono::steady_clock::time_point fim,
                      const std::function<bool()>& desistir,
                      const std::optional<Mensagem_Mqtt>& ultima_vontade);
    Falha_Mqtt Esperar_Tcp(std::chrono::steady_clock::time_point fim,
                           const std::function<bool()>& desistir, int erro_conexao);
    Falha_Mqtt Preparar(int versao, const std::optional<Mensagem_Mqtt>& ultima_vontade);
    Falha_Mqtt Preparar_Tls();
    Falha_Mqtt Da_Biblioteca(int codigo, int erro_sistema) const;
    void Fechar();

    Opcoes opcoes_;
    mosquitto* cliente_ = nullptr;
    std::optional<int> connack_;
    bool conectado_ = false;
    int versao_ = 0;
    int prazo_s_ = 0;
    QStringList erros_;  // the library's error lines of this attempt: OpenSSL's reasons come there
    Falha_Mqtt falha_;
};

}  // namespace qx7
