#pragma once
// systemd's notification socket, as a service finds it in NOTIFY_SOCKET, read as systemd does:
// whenever a message waits (the kernel's queue is short, and a sender finding it full waits).

#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <memory>

namespace qx7::teste {

class Socket_Notificacao {
  public:
    explicit Socket_Notificacao(const QString& caminho);
    ~Socket_Notificacao();
    Socket_Notificacao(const Socket_Notificacao&) = delete;
    Socket_Notificacao& operator=(const Socket_Notificacao&) = delete;

    bool Aberto() const { return socket_ >= 0 && ligado_; }
    const QString& Caminho() const { return caminho_; }
    // Every message received so far, and the STATUS= lines among them.
    const QStringList& Mensagens();
    QStringList Estados();

  private:
    void Ler();

    QString caminho_;
    int socket_ = -1;
    bool ligado_ = false;
    std::unique_ptr<QSocketNotifier> leitor_;
    QStringList mensagens_;
};

}  // namespace qx7::teste
