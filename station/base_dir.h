#pragma once
// Where the configuration file lives and which device a port number names.

#include <QString>
#include <filesystem>

#ifndef Q_OS_WIN
#include <sys/types.h>
#endif

namespace qx7 {

// "C:\Comunicação QX7\" on Windows, $XDG_CONFIG_HOME/Comunicação QX7/ elsewhere;
// QX7_DIRETORIO_BASE overrides both.
std::filesystem::path Diretorio_Base_Padrao();

// The file name inside the base directory: "Configuração.TXT".
std::filesystem::path Arquivo_Configuracao(const std::filesystem::path& base);

// What a port number names, and whether it can be opened now.
struct Dispositivo_COM {
    enum class Situacao {
        Pronto,      // `caminho` is the device to open
        Aguardando,  // an entry whose device does not exist yet (adapter unplugged, udev not done)
        Recusado,    // an entry that must not be used; `motivo` says why
    };
    Situacao situacao = Situacao::Pronto;
    QString caminho;  // the device; the entry itself when it is not Pronto
    QString motivo;   // Portuguese, for the log and the operator; empty when Pronto
};

// COMn: the entry named COMn in the base directory when there is one (a link to a device),
// otherwise /dev/ttyS(n-1); \\.\COMn on Windows. An entry is used only when it belongs to
// this user or to root, nobody else can change it (neither it nor its folder is writable by
// others), it does not name a device by a kernel name that another adapter may take
// (ttyUSB0) and it leads to a serial terminal; the device is not opened to tell.
Dispositivo_COM Resolver_COM(const std::filesystem::path& base, int n);

#ifndef Q_OS_WIN
// The same, for the user `usuario` (a user id).
Dispositivo_COM Resolver_COM(const std::filesystem::path& base, int n, uid_t usuario);
#endif

}  // namespace qx7
