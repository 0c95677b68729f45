#include "station/port_reason.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>
#include <vector>

#include "link/digits.h"
#include "link/system_error.h"

namespace qx7 {

namespace {

constexpr unsigned Grupo_Root = 0;
constexpr const char* Nome_Programa = "comunicacao-qx7";

// "crw-rw----", as ls shows it.
std::string Modo_Texto(unsigned modo) {
    std::string texto = S_ISCHR(modo) ? "c" : S_ISBLK(modo) ? "b" : S_ISDIR(modo) ? "d" : "-";
    constexpr unsigned Bits[] = {S_IRUSR, S_IWUSR, S_IXUSR, S_IRGRP, S_IWGRP,
                                 S_IXGRP, S_IROTH, S_IWOTH, S_IXOTH};
    constexpr char Letras[] = "rwxrwxrwx";
    for (std::size_t i = 0; i < std::size(Bits); ++i) {
        texto += (modo & Bits[i]) != 0 ? Letras[i] : '-';
    }
    return texto;
}

}  // namespace

std::optional<Direitos_Arquivo> Direitos(const std::filesystem::path& arquivo) {
    struct stat estado {};
    if (::stat(arquivo.c_str(), &estado) != 0) {
        return std::nullopt;
    }
    const passwd* usuario = ::getpwuid(estado.st_uid);
    const group* grupo = ::getgrgid(estado.st_gid);
    return Direitos_Arquivo{
        .dono = usuario != nullptr ? usuario->pw_name : std::to_string(estado.st_uid),
        .grupo = grupo != nullptr ? grupo->gr_name : std::to_string(estado.st_gid),
        .gid = estado.st_gid,
        .modo = estado.st_mode};
}

std::string Motivo_Sem_Permissao(const std::optional<Direitos_Arquivo>& direitos) {
    const std::string negada = Descricao_Erro_Sistema(EACCES);
    if (!direitos) {
        return negada;
    }
    const bool grupo_le_e_escreve =
        (direitos->modo & S_IRGRP) != 0 && (direitos->modo & S_IWGRP) != 0;
    if (grupo_le_e_escreve && direitos->gid != Grupo_Root) {
        return negada + ": o dispositivo pertence ao grupo " + direitos->grupo +
               "; para usá-lo, execute sudo usermod -aG " + direitos->grupo +
               " $USER (é preciso sair e entrar de novo na sessão)";
    }
    return negada + ": dono " + direitos->dono + ", grupo " + direitos->grupo + ", permissões " +
           Modo_Texto(direitos->modo) +
           "; peça ao administrador acesso de leitura e escrita ao dispositivo";
}

namespace {

// The holder's command line, NUL between arguments, as far as this user may read it.
std::vector<std::string> Linha_De_Comando(long processo) {
    std::ifstream arquivo("/proc/" + std::to_string(processo) + "/cmdline", std::ios::binary);
    std::vector<std::string> argumentos;
    for (std::string argumento; std::getline(arquivo, argumento, '\0');) {
        argumentos.push_back(argumento);
    }
    return argumentos;
}

}  // namespace

std::string Motivo_Em_Uso(std::optional<long> processo) {
    if (!processo) {
        return "em uso por outro programa";
    }
    if (*processo == ::getpid()) {
        return "em uso por este programa";
    }
    const std::string numero = " (processo " + std::to_string(*processo) + ")";
    const std::vector<std::string> argumentos = Linha_De_Comando(*processo);
    if (argumentos.empty()) {
        return "em uso por outro programa" + numero;
    }
    const std::string nome = std::filesystem::path(argumentos.front()).filename().string();
    if (nome != Nome_Programa) {
        return "em uso por " + nome + numero;
    }
    // The service reads the gauge day and night; the operator may look at its readings
    // without the port.
    if (std::find(argumentos.begin(), argumentos.end(), "--servico") != argumentos.end()) {
        return "em uso pelo serviço " + std::string(Nome_Programa) + numero +
               ", que lê o medidor; as leituras podem ser vistas com " + Nome_Programa +
               " --historico, ou o serviço parado com sudo systemctl stop " + Nome_Programa +
               "@$USER";
    }
    return "em uso por outra janela do " + std::string(Nome_Programa) + numero;
}

std::optional<long> Processo_Com_Dispositivo(const std::filesystem::path& dispositivo) {
    std::error_code erro;
    const std::filesystem::path alvo = std::filesystem::canonical(dispositivo, erro);
    if (erro) {
        return std::nullopt;
    }
    const std::string proprio = std::to_string(::getpid());
    for (const auto& processo : std::filesystem::directory_iterator("/proc", erro)) {
        const std::string numero = processo.path().filename().string();
        if (!So_Digitos(numero) || numero == proprio) {
            continue;
        }
        std::error_code sem_acesso;
        for (const auto& aberto :
             std::filesystem::directory_iterator(processo.path() / "fd", sem_acesso)) {
            std::error_code sem_link;
            if (std::filesystem::read_symlink(aberto.path(), sem_link) == alvo) {
                return std::stol(numero);
            }
        }
    }
    return std::nullopt;
}

}  // namespace qx7
