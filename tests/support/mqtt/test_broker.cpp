#include "tests/support/mqtt/test_broker.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace qx7::teste {

namespace {

constexpr int Espera_Inicio_ms = 5000;
const QStringList Pastas_Sistema = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")};

QString Programa(const char* nome) {
    const QString nome_q = QString::fromLatin1(nome);
    QString caminho = QStandardPaths::findExecutable(nome_q);
    return caminho.isEmpty() ? QStandardPaths::findExecutable(nome_q, Pastas_Sistema) : caminho;
}

bool Aceita(int porta);

}  // namespace

// Bound to 0, noted, released.
int Corretor_Teste::Porta_Livre() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    int porta = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&endereco), tamanho) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&endereco), &tamanho) == 0) {
        porta = ntohs(endereco.sin_port);
    }
    ::close(s);
    return porta;
}

namespace {

bool Aceita(int porta) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    endereco.sin_port = htons(static_cast<std::uint16_t>(porta));
    const bool aceita = ::connect(s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0;
    ::close(s);
    return aceita;
}

QString Usuario_Atual() {
    const passwd* conta = ::getpwuid(::geteuid());
    return conta != nullptr ? QString::fromLocal8Bit(conta->pw_name) : QStringLiteral("root");
}

}  // namespace

Corretor_Teste::Corretor_Teste() {
    processo_.setProcessChannelMode(QProcess::MergedChannels);
}

Corretor_Teste::~Corretor_Teste() {
    Parar();
}

bool Corretor_Teste::Instalado() {
    return !Programa("mosquitto").isEmpty() && !Programa("mosquitto_passwd").isEmpty() &&
           !Programa("openssl").isEmpty();
}

bool Corretor_Teste::Executar(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(pasta_.path());
    p.start(programa, argumentos);
    if (!p.waitForFinished(30'000) || p.exitCode() != 0) {
        erro_ = QStringLiteral("%1 %2: %3")
                    .arg(programa, argumentos.join(u' '), QString::fromLocal8Bit(p.readAll()));
        return false;
    }
    return true;
}

// A CA, a server certificate it signs for "localhost", another CA, the password file and the
// configuration.
bool Corretor_Teste::Preparar_Arquivos() {
    const QString openssl = Programa("openssl");
    const auto ca = [&](const char* nome, const char* titulo) {
        return Executar(openssl,
                        {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                         QString::fromLatin1(titulo), "-keyout", QString::fromLatin1(nome) + ".key",
                         "-out", QString::fromLatin1(nome) + ".crt"});
    };
    QFile extensao(pasta_.filePath(QStringLiteral("servidor.ext")));
    if (!ca("ca", "/CN=CA de teste") || !ca("outra-ca", "/CN=Outra CA") ||
        !Executar(openssl, {"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost",
                            "-keyout", "servidor.key", "-out", "servidor.csr"}) ||
        !extensao.open(QIODevice::WriteOnly) ||
        extensao.write("subjectAltName=DNS:localhost\n") < 0) {
        return false;
    }
    extensao.close();
    if (!Executar(openssl, {"x509", "-req", "-in", "servidor.csr", "-CA", "ca.crt", "-CAkey",
                            "ca.key", "-CAcreateserial", "-days", "2", "-extfile", "servidor.ext",
                            "-out", "servidor.crt"}) ||
        !Executar(Programa("mosquitto_passwd"),
                  {"-c", "-b", "senhas", Usuario_Corretor, Senha_Corretor})) {
        return false;
    }
    porta_ = Porta_Livre();
    porta_tls_ = Porta_Livre();
    QFile config(pasta_.filePath(QStringLiteral("mosquitto.conf")));
    if (!config.open(QIODevice::WriteOnly)) {
        return false;
    }
    // Persistence keeps a subscriber's session, and what was published for it, across a stop.
    // No limit on a subscriber's queue: a test's subscriber slowed by a loaded machine must
    // still see every message, where the default would drop those beyond 1000.
    config.write(QStringLiteral("user %1\n"
                                "max_queued_messages 0\n"
                                "persistence true\n"
                                "persistence_location %2/\n"
                                "per_listener_settings false\n"
                                "allow_anonymous false\n"
                                "password_file %2/senhas\n"
                                "listener %3 127.0.0.1\n"
                                "listener %4 127.0.0.1\n"
                                "cafile %2/ca.crt\n"
                                "certfile %2/servidor.crt\n"
                                "keyfile %2/servidor.key\n")
                     .arg(Usuario_Atual(), pasta_.path())
                     .arg(porta_)
                     .arg(porta_tls_)
                     .toUtf8());
    return true;
}

bool Corretor_Teste::Escutando() const {
    return Aceita(porta_) && Aceita(porta_tls_);
}

bool Corretor_Teste::Iniciar() {
    if (!preparado_ && !(preparado_ = Preparar_Arquivos())) {
        return false;
    }
    processo_.start(Programa("mosquitto"),
                    {QStringLiteral("-c"), pasta_.filePath(QStringLiteral("mosquitto.conf"))});
    if (!processo_.waitForStarted() ||
        !QTest::qWaitFor([this] { return Escutando() || !Rodando(); }, Espera_Inicio_ms) ||
        !Rodando()) {
        erro_ = QStringLiteral("mosquitto não escutou: %1")
                    .arg(QString::fromLocal8Bit(processo_.readAll()));
        return false;
    }
    return true;
}

void Corretor_Teste::Parar() {
    if (Rodando()) {
        processo_.terminate();
        if (!processo_.waitForFinished(Espera_Inicio_ms)) {
            processo_.kill();
            processo_.waitForFinished();
        }
    }
}

Configuracao_Mqtt Corretor_Teste::Config(bool tls) const {
    Configuracao_Mqtt config;
    config.host = tls ? QStringLiteral("localhost") : QStringLiteral("127.0.0.1");
    config.porta = tls ? porta_tls_ : porta_;
    config.tls = tls;
    config.usuario = Usuario_Corretor;
    config.senha = Senha_Corretor;
    config.ca = tls ? pasta_.filePath(QStringLiteral("ca.crt")) : QString();
    config.estacao = QStringLiteral("posto-1");
    return config;
}

}  // namespace qx7::teste
