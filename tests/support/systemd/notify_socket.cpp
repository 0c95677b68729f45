#include "tests/support/systemd/notify_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

namespace qx7::teste {

Socket_Notificacao::Socket_Notificacao(const QString& caminho)
    : caminho_(caminho), socket_(::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0)) {
    sockaddr_un endereco{};
    endereco.sun_family = AF_UNIX;
    const QByteArray bytes = caminho.toLocal8Bit();
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), sizeof endereco.sun_path - 1),
                endereco.sun_path);
    ligado_ = ::bind(socket_, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0;
    leitor_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Read);
    QObject::connect(leitor_.get(), &QSocketNotifier::activated, [this] { Ler(); });
}

Socket_Notificacao::~Socket_Notificacao() {
    leitor_.reset();
    ::close(socket_);
}

const QStringList& Socket_Notificacao::Mensagens() {
    Ler();
    return mensagens_;
}

QStringList Socket_Notificacao::Estados() {
    QStringList estados;
    for (const QString& mensagem : Mensagens()) {
        for (const QString& linha : mensagem.split(u'\n')) {
            if (linha.startsWith(QStringLiteral("STATUS="))) {
                estados.append(linha.mid(7));
            }
        }
    }
    return estados;
}

void Socket_Notificacao::Ler() {
    char mensagem[4096];
    for (ssize_t n; (n = ::recv(socket_, mensagem, sizeof mensagem, 0)) > 0;) {
        mensagens_.append(QString::fromUtf8(mensagem, n));
    }
}

}  // namespace qx7::teste
