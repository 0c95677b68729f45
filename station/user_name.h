#pragma once
// Users' login names, as the port's reasons and the alarms' acknowledgements show them.

#include <QString>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <sys/types.h>
#endif

namespace qx7 {

#ifndef Q_OS_WIN
// The login name of a user id; the number when the system knows no name for it.
QString Nome_Usuario(uid_t uid);
#endif

// The login name of the user running the program: who acknowledges an alarm.
QString Nome_Do_Operador();

}  // namespace qx7
