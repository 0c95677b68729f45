// The service's status to systemd, received on a notification socket of the test's own: the
// first at once, then at most one a second and the latest of it, an unchanged one not again.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "service/systemd_notify.h"

namespace qx7 {
namespace {

class Notificacoes : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pasta_.isValid());
        const QByteArray caminho = pasta_.filePath(QStringLiteral("notify.sock")).toLocal8Bit();
        socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0);
        sockaddr_un endereco{};
        endereco.sun_family = AF_UNIX;
        std::copy_n(caminho.constData(),
                    std::min<qsizetype>(caminho.size(), sizeof endereco.sun_path - 1),
                    endereco.sun_path);
        ASSERT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco), 0);
        qputenv("NOTIFY_SOCKET", caminho);
    }
    void TearDown() override {
        qunsetenv("NOTIFY_SOCKET");
        ::close(socket_);
    }

    // Every message received so far.
    const QStringList& Recebidas() {
        char mensagem[512];
        for (ssize_t n; (n = ::recv(socket_, mensagem, sizeof mensagem, 0)) > 0;) {
            recebidas_.append(QString::fromUtf8(mensagem, n));
        }
        return recebidas_;
    }

  private:
    QTemporaryDir pasta_;
    int socket_ = -1;
    QStringList recebidas_;
};

TEST_F(Notificacoes, EstadoNoMaximoUmPorSegundoOMaisRecente) {
    Aviso_Systemd aviso;
    aviso.Estado(QStringLiteral("a"));
    aviso.Estado(QStringLiteral("b"));
    aviso.Estado(QStringLiteral("c"));
    EXPECT_EQ(Recebidas(), QStringList{QStringLiteral("STATUS=a")});

    ASSERT_TRUE(QTest::qWaitFor([&] { return Recebidas().size() == 2; }, 5000));
    EXPECT_EQ(Recebidas(), (QStringList{QStringLiteral("STATUS=a"), QStringLiteral("STATUS=c")}));

    QTest::qWait(1100);  // the second is over: the next goes at once, unless unchanged
    aviso.Estado(QStringLiteral("c"));
    aviso.Estado(QStringLiteral("c"));
    QTest::qWait(1100);
    EXPECT_EQ(Recebidas().size(), 2);
}

}  // namespace
}  // namespace qx7
