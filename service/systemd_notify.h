#pragma once
// What the service tells systemd (Type=notify): ready, a status line, stopping, and the
// watchdog fed from the event loop, so a loop stuck (on a hung adapter, say) gets the service
// restarted. Outside systemd, or built without libsystemd, every call does nothing.

#include <QObject>
#include <QString>
#include <QTimer>

namespace qx7 {

class Aviso_Systemd : public QObject {
  public:
    explicit Aviso_Systemd(QObject* parent = nullptr);

    void Pronto();
    // At most one status a second, and only a changed one, the latest at the end of the
    // second: the publisher's rows waiting change with every acknowledgement while a backlog
    // drains, and each message wakes systemd.
    void Estado(const QString& texto);
    void Parando();
    // The watchdog's interval asked for by the unit (WatchdogSec), in milliseconds; 0: none.
    int Intervalo_Vigia_ms() const { return intervalo_vigia_ms_; }

  private:
    void Notificar(const QByteArray& mensagem);
    void Enviar_Estado();

    QTimer vigia_{this};
    QTimer intervalo_estado_{this};
    QByteArray estado_;  // the latest asked for
    QByteArray estado_enviado_;
    int intervalo_vigia_ms_ = 0;
};

}  // namespace qx7
