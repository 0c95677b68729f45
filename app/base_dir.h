#pragma once
// Where the configuration file lives and which device a port number names.

#include <QString>
#include <filesystem>

namespace qx7 {

// "C:\Comunicação QX7\" on Windows, $XDG_CONFIG_HOME/Comunicação QX7/ elsewhere;
// QX7_DIRETORIO_BASE overrides both.
std::filesystem::path Diretorio_Base_Padrao();

// The file name inside the base directory: "Configuração.TXT".
std::filesystem::path Arquivo_Configuracao(const std::filesystem::path& base);

// COMn: the entry named COMn in the base directory when there is one (a link to a device),
// otherwise /dev/ttyS(n-1); \\.\COMn on Windows.
QString Dispositivo_COM(const std::filesystem::path& base, int n);

}  // namespace qx7
