#include "publish/mqtt_client.h"

#include <mosquitto.h>

#include <QFile>
#include <cerrno>
#include <mutex>

#include "publish/tcp_socket.h"

namespace qx7 {

namespace {

using Relogio = std::chrono::steady_clock;

constexpr int Keepalive_s = 60;
constexpr int Passo_Espera_ms = 100;
constexpr int Qos_Confirmada = 1;
constexpr int Verificar_Par = 1;  // SSL_VERIFY_PEER
// Where Debian keeps the system's CAs; libmosquitto wants a folder beside a client certificate.
constexpr const char* Pasta_Cas_Sistema = "/etc/ssl/certs";

void Iniciar_Biblioteca() {
    static std::once_flag feito;
    std::call_once(feito, [] { mosquitto_lib_init(); });
}

// An encrypted key would have OpenSSL ask for its passphrase on the terminal: a service has
// none, so the key is refused instead.
int Sem_Frase_Senha(char*, int, int, void*) {
    return 0;
}

QByteArray Caminho(const QString& arquivo) {
    return QFile::encodeName(arquivo);
}

const char* Ou_Nulo(const QByteArray& texto) {
    return texto.isEmpty() ? nullptr : texto.constData();
}

}  // namespace

struct Retornos_Mosquitto {
    static void Conectou(mosquitto*, void* eu, int codigo, int, const mosquitto_property*) {
        static_cast<Cliente_Mqtt*>(eu)->connack_ = codigo;
    }
    static void Confirmou(mosquitto*, void* eu, int id, int, const mosquitto_property*) {
        auto* cliente = static_cast<Cliente_Mqtt*>(eu);
        if (cliente->opcoes_.confirmada) {
            cliente->opcoes_.confirmada(id);
        }
    }
    static void Registrou(mosquitto*, void* eu, int nivel, const char* texto) {
        static_cast<Cliente_Mqtt*>(eu)->Registrar(nivel, texto);
    }
};

Cliente_Mqtt::Cliente_Mqtt(Opcoes opcoes) : opcoes_(std::move(opcoes)) {
    Iniciar_Biblioteca();
    if (opcoes_.identificador.isEmpty()) {
        opcoes_.identificador = opcoes_.config.Identificador();
    }
}

Cliente_Mqtt::~Cliente_Mqtt() {
    Fechar();
}

void Cliente_Mqtt::Fechar() {
    if (cliente_ != nullptr) {
        mosquitto_destroy(cliente_);
        cliente_ = nullptr;
    }
    conectado_ = false;
}

void Cliente_Mqtt::Registrar(int nivel, const char* texto) {
    if ((nivel & MOSQ_LOG_ERR) != 0) {
        erros_.append(QString::fromUtf8(texto));
    }
}

Falha_Mqtt Cliente_Mqtt::Da_Biblioteca(int codigo, int erro_sistema) const {
    return Falha_Da_Biblioteca(codigo, Como_Errno(erro_sistema), erros_.join(QStringLiteral("; ")),
                               opcoes_.config, conectado_);
}

Falha_Mqtt Cliente_Mqtt::Conectar(std::chrono::milliseconds prazo,
                                  const std::function<bool()>& desistir,
                                  const std::optional<Mensagem_Mqtt>& ultima_vontade) {
    const Relogio::time_point fim = Relogio::now() + prazo;
    prazo_s_ = static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(prazo).count());
    falha_ = Tentar(Versao_Mqtt_5, fim, desistir, ultima_vontade);
    if (falha_.tipo == Falha_Mqtt::Tipo::Protocolo) {
        falha_ = Tentar(Versao_Mqtt_311, fim, desistir, ultima_vontade);
    }
    if (falha_) {
        Fechar();
    }
    return falha_;
}

Falha_Mqtt Cliente_Mqtt::Tentar(int versao, Relogio::time_point fim,
                                const std::function<bool()>& desistir,
                                const std::optional<Mensagem_Mqtt>& ultima_vontade) {
    if (Falha_Mqtt falha = Preparar(versao, ultima_vontade)) {
        return falha;
    }
    const Configuracao_Mqtt& c = opcoes_.config;
    errno = 0;
    int codigo = mosquitto_connect_bind_async(cliente_, c.host.toUtf8().constData(), c.porta,
                                              Keepalive_s, nullptr);
    if (codigo != MOSQ_ERR_SUCCESS) {
        return Da_Biblioteca(codigo, errno);
    }
    if (Falha_Mqtt falha = Esperar_Tcp(fim, desistir, errno)) {
        return falha;
    }
    while (!connack_) {
        if (Relogio::now() >= fim) {
            return Falha_Tempo_Esgotado(prazo_s_, c);
        }
        if (desistir && desistir()) {
            return {Falha_Mqtt::Tipo::Perdida, QStringLiteral("conexão abandonada")};
        }
        errno = 0;
        codigo = mosquitto_loop(cliente_, Passo_Espera_ms, 1);
        if (codigo != MOSQ_ERR_SUCCESS && !connack_) {
            return Da_Biblioteca(codigo, errno);
        }
    }
    if (*connack_ != 0) {
        return Falha_Do_Connack(*connack_, c);
    }
    conectado_ = true;
    versao_ = versao;
    return {};
}

// Over TLS, libmosquitto takes a connection that was refused or could not be made for one in
// progress and its loop spins without ever failing: the TCP connection is waited for here. A
// connection that failed at once left its error in errno (`erro_conexao`), one that failed
// later leaves it on the socket.
Falha_Mqtt Cliente_Mqtt::Esperar_Tcp(Relogio::time_point fim, const std::function<bool()>& desistir,
                                     int erro_conexao) {
    const int soquete = mosquitto_socket(cliente_);
    if (soquete < 0) {
        return {};
    }
    for (int pronto = 0; pronto == 0;) {
        int erro = 0;
        pronto = Esperar_Conexao_Tcp(soquete, Passo_Espera_ms, erro);
        if (pronto < 0 && erro != EINTR) {
            return Da_Biblioteca(MOSQ_ERR_ERRNO, erro);
        }
        if (pronto <= 0 && Relogio::now() >= fim) {
            return Falha_Tempo_Esgotado(prazo_s_, opcoes_.config);
        }
        if (pronto <= 0 && desistir && desistir()) {
            return {Falha_Mqtt::Tipo::Perdida, QStringLiteral("conexão abandonada")};
        }
        pronto = std::max(pronto, 0);
    }
    int erro = Erro_Do_Soquete(soquete);
    if (erro == 0 && !Conectado_Ao_Par(soquete)) {
        erro = erro_conexao != 0 ? erro_conexao : ECONNREFUSED;
    }
    return erro != 0 ? Da_Biblioteca(MOSQ_ERR_ERRNO, erro) : Falha_Mqtt{};
}

Falha_Mqtt Cliente_Mqtt::Preparar(int versao, const std::optional<Mensagem_Mqtt>& ultima_vontade) {
    Fechar();
    connack_.reset();
    erros_.clear();
    cliente_ = mosquitto_new(opcoes_.identificador.toUtf8().constData(), true, this);
    if (cliente_ == nullptr) {
        return {Falha_Mqtt::Tipo::Configuracao,
                QStringLiteral("a biblioteca MQTT não criou o cliente")};
    }
    mosquitto_int_option(cliente_, MOSQ_OPT_PROTOCOL_VERSION, versao);
    if (opcoes_.em_voo > 0) {
        mosquitto_int_option(cliente_, MOSQ_OPT_SEND_MAXIMUM, opcoes_.em_voo);
        mosquitto_max_inflight_messages_set(cliente_, static_cast<unsigned>(opcoes_.em_voo));
    }
    mosquitto_connect_v5_callback_set(cliente_, &Retornos_Mosquitto::Conectou);
    mosquitto_publish_v5_callback_set(cliente_, &Retornos_Mosquitto::Confirmou);
    mosquitto_log_callback_set(cliente_, &Retornos_Mosquitto::Registrou);
    const Configuracao_Mqtt& c = opcoes_.config;
    if (!c.usuario.isEmpty()) {
        mosquitto_username_pw_set(cliente_, c.usuario.toUtf8().constData(),
                                  c.senha.isEmpty() ? nullptr : c.senha.toUtf8().constData());
    }
    if (ultima_vontade) {
        mosquitto_will_set(cliente_, ultima_vontade->topico.constData(),
                           static_cast<int>(ultima_vontade->conteudo.size()),
                           ultima_vontade->conteudo.constData(), Qos_Confirmada,
                           ultima_vontade->retida);
    }
    return c.tls ? Preparar_Tls() : Falha_Mqtt{};
}

// The broker's certificate is checked against the CA file, or the system's CAs, and its name
// against the host: neither check can be turned off.
Falha_Mqtt Cliente_Mqtt::Preparar_Tls() {
    const Configuracao_Mqtt& c = opcoes_.config;
    const QByteArray ca = Caminho(c.ca);
    const QByteArray certificado = Caminho(c.certificado);
    const QByteArray chave = Caminho(c.chave);
    if (ca.isEmpty()) {
        mosquitto_int_option(cliente_, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
    }
    if (!ca.isEmpty() || !certificado.isEmpty()) {
        const int codigo =
            mosquitto_tls_set(cliente_, Ou_Nulo(ca), ca.isEmpty() ? Pasta_Cas_Sistema : nullptr,
                              Ou_Nulo(certificado), Ou_Nulo(chave), &Sem_Frase_Senha);
        if (codigo != MOSQ_ERR_SUCCESS) {
            return {Falha_Mqtt::Tipo::Configuracao,
                    QStringLiteral("os arquivos de TLS não puderam ser usados (CA %1, certificado "
                                   "%2, chave %3)")
                        .arg(c.ca.isEmpty() ? QStringLiteral("do sistema") : c.ca,
                             c.certificado.isEmpty() ? QStringLiteral("nenhum") : c.certificado,
                             c.chave.isEmpty() ? QStringLiteral("nenhuma") : c.chave)};
        }
    }
    mosquitto_tls_opts_set(cliente_, Verificar_Par, nullptr, nullptr);
    mosquitto_tls_insecure_set(cliente_, false);
    return {};
}

std::optional<int> Cliente_Mqtt::Publicar(const Mensagem_Mqtt& mensagem) {
    if (!conectado_) {
        return std::nullopt;
    }
    int id = 0;
    errno = 0;
    const int codigo = mosquitto_publish(
        cliente_, &id, mensagem.topico.constData(), static_cast<int>(mensagem.conteudo.size()),
        mensagem.conteudo.constData(), Qos_Confirmada, mensagem.retida);
    if (codigo != MOSQ_ERR_SUCCESS) {
        falha_ = Da_Biblioteca(codigo, errno);
        conectado_ = false;
        return std::nullopt;
    }
    return id;
}

Falha_Mqtt Cliente_Mqtt::Processar(int espera_ms) {
    if (!conectado_) {
        return falha_ ? falha_
                      : Falha_Mqtt{Falha_Mqtt::Tipo::Perdida, QStringLiteral("sem conexão")};
    }
    errno = 0;
    const int codigo = mosquitto_loop(cliente_, espera_ms, 1);
    if (codigo != MOSQ_ERR_SUCCESS) {
        falha_ = Da_Biblioteca(codigo, errno);
        conectado_ = false;
    }
    return falha_;
}

void Cliente_Mqtt::Desconectar() {
    if (conectado_) {
        mosquitto_disconnect(cliente_);
        // The DISCONNECT is written on the next pass, which then finds the socket closed.
        mosquitto_loop(cliente_, 0, 1);
    }
    Fechar();
}

}  // namespace qx7
