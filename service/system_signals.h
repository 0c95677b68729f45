#pragma once
// The system's requests to stop or to reload, turned into Qt signals on the event loop's
// thread. On Unix (unix_signals.cpp): SIGTERM, SIGINT and SIGHUP, whose handler only writes
// the signal's number into a socket pair that the loop reads when it is free. On Windows
// (windows_signals.cpp): Ctrl+C, Ctrl+Break and the console's closing.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace qx7 {

class Sinais_Sistema : public QObject {
    Q_OBJECT
  public:
    // Installs the handlers; one instance per process.
    explicit Sinais_Sistema(QObject* parent = nullptr);
    ~Sinais_Sistema() override;

  signals:
    void Encerrar();    // SIGTERM, SIGINT; Windows' Ctrl+C, Ctrl+Break, closing
    void Recarregar();  // SIGHUP

  private:
    std::unique_ptr<QSocketNotifier> notificador_;  // Unix's socket pair
};

}  // namespace qx7
