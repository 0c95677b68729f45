#pragma once
// The simulator's end of the line: a pseudo-terminal it creates, or a real port, in raw mode
// at 9600,N,8,1; and the COMn link by which the program finds the pseudo-terminal.

#include <filesystem>
#include <optional>
#include <string>

namespace qx7::simulador {

struct Linha_Serial {
    int fd = -1;          // the side the simulator reads and writes
    int escravo = -1;     // pseudo-terminal only: held open so the master never sees a hang-up
    std::string caminho;  // what the program opens
};

bool Abrir_Pseudo_Terminal(Linha_Serial& linha, std::string& erro);
// A busy port (locked or opened exclusively by another program) is refused with a reason.
bool Abrir_Dispositivo(const std::string& caminho, Linha_Serial& linha, std::string& erro);
void Fechar(Linha_Serial& linha);

// The program's base directory: $QX7_DIRETORIO_BASE, else $XDG_CONFIG_HOME/Comunicação QX7
// (when absolute), else ~/.config/Comunicação QX7. The program's own helper lives with its
// widgets; this tool stays free of them.
std::filesystem::path Diretorio_Base_Programa();

// Makes diretorio/COMn a symbolic link to `alvo`, creating the directory when needed. An old
// link into /dev/pts (left by an earlier run) is replaced; anything else there is refused.
bool Criar_Link_COM(const std::filesystem::path& diretorio, int n, const std::string& alvo,
                    std::filesystem::path& link, std::string& erro);

// The first line of the program's "Configuração.TXT" in `diretorio`, without its line end;
// nothing when the file cannot be read.
std::optional<std::string> Porta_Configurada(const std::filesystem::path& diretorio);

}  // namespace qx7::simulador
