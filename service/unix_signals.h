#pragma once
// SIGTERM, SIGINT and SIGHUP turned into Qt signals on the event loop's thread: the handler
// only writes the signal's number into a socket pair, which the loop reads when it is free.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace qx7 {

class Sinais_Unix : public QObject {
    Q_OBJECT
  public:
    // Installs the handlers; one instance per process.
    explicit Sinais_Unix(QObject* parent = nullptr);
    ~Sinais_Unix() override;

  signals:
    void Encerrar();    // SIGTERM, SIGINT
    void Recarregar();  // SIGHUP

  private:
    void Ler();

    std::unique_ptr<QSocketNotifier> notificador_;
};

}  // namespace qx7
