#include "tests/support/mqtt/test_subscriber.h"

#include <mosquitto.h>

#include <QAtomicInteger>
#include <QJsonDocument>
#include <QTest>
#include <algorithm>

namespace qx7::teste {

namespace {

constexpr int Keepalive_s = 30;
constexpr int Qos_Confirmada = 1;

QByteArray Identificador_Unico() {
    static QAtomicInteger<int> contador = 0;
    return QStringLiteral("assinante-teste-%1").arg(contador.fetchAndAddRelaxed(1)).toUtf8();
}

}  // namespace

QJsonObject Mensagem_Recebida::Json() const {
    return QJsonDocument::fromJson(conteudo).object();
}

Assinante_Teste::Assinante_Teste(const Configuracao_Mqtt& config, const QString& filtro,
                                 bool persistente)
    : filtro_(filtro.toUtf8()) {
    mosquitto_lib_init();
    cliente_ = mosquitto_new(Identificador_Unico().constData(), !persistente, this);
    mosquitto_reconnect_delay_set(cliente_, 1, 1, false);
    mosquitto_username_pw_set(cliente_, config.usuario.toUtf8().constData(),
                              config.senha.toUtf8().constData());
    mosquitto_connect_callback_set(cliente_, &Assinante_Teste::Conectou);
    mosquitto_message_callback_set(cliente_, &Assinante_Teste::Recebeu);
    mosquitto_subscribe_callback_set(cliente_, &Assinante_Teste::Assinou);
    mosquitto_connect(cliente_, config.host.toUtf8().constData(), config.porta, Keepalive_s);
    mosquitto_loop_start(cliente_);
}

Assinante_Teste::~Assinante_Teste() {
    mosquitto_disconnect(cliente_);
    mosquitto_loop_stop(cliente_, false);
    mosquitto_destroy(cliente_);
}

void Assinante_Teste::Conectou(mosquitto* cliente, void* eu, int codigo) {
    if (codigo == 0) {
        mosquitto_subscribe(cliente, nullptr,
                            static_cast<Assinante_Teste*>(eu)->filtro_.constData(), Qos_Confirmada);
    }
}

void Assinante_Teste::Assinou(mosquitto*, void* eu, int, int, const int*) {
    auto* assinante = static_cast<Assinante_Teste*>(eu);
    const std::lock_guard trava(assinante->mutex_);
    assinante->assinado_ = true;
}

void Assinante_Teste::Recebeu(mosquitto*, void* eu, const mosquitto_message* m) {
    auto* assinante = static_cast<Assinante_Teste*>(eu);
    const std::lock_guard trava(assinante->mutex_);
    assinante->mensagens_.push_back(
        {.topico = QString::fromUtf8(m->topic),
         .conteudo = QByteArray(static_cast<const char*>(m->payload), m->payloadlen),
         .retida = m->retain});
}

bool Assinante_Teste::Conectado(int espera_ms) {
    return QTest::qWaitFor(
        [this] {
            const std::lock_guard trava(mutex_);
            return assinado_;
        },
        espera_ms);
}

std::vector<Mensagem_Recebida> Assinante_Teste::Mensagens(std::size_t desde) const {
    const std::lock_guard trava(mutex_);
    const auto inicio =
        mensagens_.begin() + static_cast<std::ptrdiff_t>(std::min(desde, mensagens_.size()));
    return {inicio, mensagens_.end()};
}

std::vector<Mensagem_Recebida> Assinante_Teste::Do_Topico(const QString& sufixo) const {
    std::vector<Mensagem_Recebida> todas = Mensagens();
    std::erase_if(todas, [&](const Mensagem_Recebida& m) {
        return !m.topico.endsWith(QLatin1Char('/') + sufixo);
    });
    return todas;
}

}  // namespace qx7::teste
