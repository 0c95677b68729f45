#include <windows.h>

#include <QMetaObject>
#include <atomic>

#include "service/system_signals.h"

namespace qx7 {

namespace {

std::atomic<Sinais_Sistema*> instancia_{nullptr};

constexpr DWORD Prazo_Encerramento_ms = 5000;

// Called on a thread of the system's own: the request is queued to the loop's thread.
BOOL WINAPI Ao_Controle(DWORD evento) {
    Sinais_Sistema* sinais = instancia_.load();
    if (sinais == nullptr) {
        return FALSE;
    }
    QMetaObject::invokeMethod(sinais, &Sinais_Sistema::Encerrar, Qt::QueuedConnection);
    // For these Windows ends the process as soon as the handler returns: the loop gets the
    // time to close the port and the history first.
    if (evento == CTRL_CLOSE_EVENT || evento == CTRL_LOGOFF_EVENT ||
        evento == CTRL_SHUTDOWN_EVENT) {
        ::Sleep(Prazo_Encerramento_ms);
    }
    return TRUE;
}

}  // namespace

Sinais_Sistema::Sinais_Sistema(QObject* parent) : QObject(parent) {
    instancia_.store(this);
    ::SetConsoleCtrlHandler(Ao_Controle, TRUE);
}

Sinais_Sistema::~Sinais_Sistema() {
    ::SetConsoleCtrlHandler(Ao_Controle, FALSE);
    instancia_.store(nullptr);
}

}  // namespace qx7
