#include "station/user_name.h"

#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

namespace qx7 {

#ifndef Q_OS_WIN
QString Nome_Usuario(uid_t uid) {
    const passwd* usuario = ::getpwuid(uid);
    return usuario != nullptr ? QString::fromLocal8Bit(usuario->pw_name) : QString::number(uid);
}
#endif

QString Nome_Do_Operador() {
#ifndef Q_OS_WIN
    return Nome_Usuario(::geteuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

}  // namespace qx7
