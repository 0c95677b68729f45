// The service's status to systemd, received on a notification socket of the test's own: the
// first at once, then at most one a second and the latest of it, an unchanged one not again.

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "service/systemd_notify.h"
#include "tests/support/systemd/notify_socket.h"

namespace qx7 {
namespace {

class Notificacoes : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pasta.isValid());
        ASSERT_TRUE(socket.Aberto());
        qputenv("NOTIFY_SOCKET", socket.Caminho().toLocal8Bit());
    }
    void TearDown() override { qunsetenv("NOTIFY_SOCKET"); }

    const QStringList& Recebidas() { return socket.Mensagens(); }

    QTemporaryDir pasta;
    teste::Socket_Notificacao socket{pasta.filePath(QStringLiteral("notify.sock"))};
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
