#pragma once
// A subscriber of the test's own, over libmosquitto's client with its network thread: every
// message of the filter kept in arrival order, with its topic and its retain flag (true for a
// retained message delivered at subscription, as a late subscriber sees it).

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <cstddef>
#include <mutex>
#include <vector>

#include "publish/mqtt_config.h"

struct mosquitto;
struct mosquitto_message;

namespace qx7::teste {

struct Mensagem_Recebida {
    QString topico;
    QByteArray conteudo;
    bool retida = false;

    QJsonObject Json() const;
};

class Assinante_Teste {
  public:
    // Subscribed to `filtro` (QoS 1) on the broker of `config`; Conectado() once it is. A
    // persistent one keeps its session on the broker: what is published while it is away (the
    // broker stopped and started again) reaches it when it is back.
    Assinante_Teste(const Configuracao_Mqtt& config, const QString& filtro = QStringLiteral("#"),
                    bool persistente = false);
    ~Assinante_Teste();
    Assinante_Teste(const Assinante_Teste&) = delete;
    Assinante_Teste& operator=(const Assinante_Teste&) = delete;

    // Waits for the subscription to be granted.
    bool Conectado(int espera_ms = 5000);
    // Those received after the first `desde`, so that a long wait reads each message once.
    std::vector<Mensagem_Recebida> Mensagens(std::size_t desde = 0) const;
    // Those whose topic ends with "/<sufixo>".
    std::vector<Mensagem_Recebida> Do_Topico(const QString& sufixo) const;

  private:
    static void Conectou(mosquitto* cliente, void* eu, int codigo);
    static void Recebeu(mosquitto*, void* eu, const mosquitto_message* mensagem);
    static void Assinou(mosquitto*, void* eu, int, int, const int*);

    QByteArray filtro_;
    mosquitto* cliente_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<Mensagem_Recebida> mensagens_;
    bool assinado_ = false;
};

}  // namespace qx7::teste
