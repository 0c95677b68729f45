#include <windows.h>

#include <QMetaObject>
#include <mutex>

#include "service/system_signals.h"

namespace qx7 {

namespace {

std::mutex trava_;
Sinais_Sistema* instancia_ = nullptr;

constexpr DWORD Prazo_Encerramento_ms = 5000;

// Called on a thread of the system's own: the request is queued to the loop's thread. Logoff
// and shutdown are left alone: Windows sends them to services only (an interactive program
// has already ended), and a logoff does not say whose it is.
BOOL WINAPI Ao_Controle(DWORD evento) {
    if (evento != CTRL_C_EVENT && evento != CTRL_BREAK_EVENT && evento != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    {
        const std::lock_guard trava(trava_);
        if (instancia_ == nullptr) {
            return FALSE;
        }
        QMetaObject::invokeMethod(instancia_, &Sinais_Sistema::Encerrar, Qt::QueuedConnection);
    }
    // Windows ends the process as soon as this returns from a console's closing: the loop gets
    // the time to close the port and the history first.
    if (evento == CTRL_CLOSE_EVENT) {
        ::Sleep(Prazo_Encerramento_ms);
    }
    return TRUE;
}

}  // namespace

Sinais_Sistema::Sinais_Sistema(QObject* parent) : QObject(parent) {
    {
        const std::lock_guard trava(trava_);
        instancia_ = this;
    }
    ::SetConsoleCtrlHandler(Ao_Controle, TRUE);
}

Sinais_Sistema::~Sinais_Sistema() {
    ::SetConsoleCtrlHandler(Ao_Controle, FALSE);
    const std::lock_guard trava(trava_);
    instancia_ = nullptr;
}

}  // namespace qx7
