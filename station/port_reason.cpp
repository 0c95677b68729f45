#include "station/port_reason.h"

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>

#include "link/digits.h"
#include "link/system_error.h"

namespace qx7 {

namespace {

bool Vivo(long processo) {
    return processo > 0 && (::kill(static_cast<pid_t>(processo), 0) == 0 || errno == EPERM);
}

std::string Em_Uso(std::optional<long> processo) {
    if (!processo) {
        return "em uso por outro programa";
    }
    if (*processo == ::getpid()) {
        return "em uso por este programa";
    }
    return "em uso por outro programa (processo " + std::to_string(*processo) + ")";
}

}  // namespace

std::string Motivo_Porta(int erro, const std::string& grupo, std::optional<long> processo) {
    switch (erro) {
        case EACCES:
        case EPERM:
            if (grupo.empty()) {
                return Descricao_Erro_Sistema(erro);
            }
            return Descricao_Erro_Sistema(erro) + ": o dispositivo pertence ao grupo " + grupo +
                   "; para usá-lo, execute sudo usermod -aG " + grupo +
                   " $USER (é preciso sair e entrar de novo na sessão)";
        case EBUSY:
            return Em_Uso(processo);
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return Descricao_Erro_Sistema(ENODEV);
        default:
            return Descricao_Erro_Sistema(erro);
    }
}

std::optional<long> Processo_Da_Trava(const std::vector<std::filesystem::path>& pastas,
                                      const std::string& nome) {
    for (const std::filesystem::path& pasta : pastas) {
        std::ifstream trava(pasta / ("LCK.." + nome));
        long processo = 0;
        if (trava >> processo && Vivo(processo)) {
            return processo;
        }
    }
    return std::nullopt;
}

std::optional<long> Processo_Com_Dispositivo(const std::filesystem::path& dispositivo) {
    std::error_code erro;
    const std::filesystem::path alvo = std::filesystem::canonical(dispositivo, erro);
    if (erro) {
        return std::nullopt;
    }
    for (const auto& processo : std::filesystem::directory_iterator("/proc", erro)) {
        const std::string numero = processo.path().filename().string();
        if (!So_Digitos(numero)) {
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

std::string Grupo_Dono(const std::filesystem::path& arquivo) {
    struct stat estado {};
    if (::stat(arquivo.c_str(), &estado) != 0) {
        return {};
    }
    const group* grupo = ::getgrgid(estado.st_gid);
    return grupo != nullptr ? grupo->gr_name : std::to_string(estado.st_gid);
}

}  // namespace qx7
