#include "station/port_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>

#include "link/digits.h"

namespace qx7 {

namespace {

constexpr std::string_view Prefixo_Trava = "LCK..";
constexpr std::string_view Pasta_Dispositivos = "/dev/";
constexpr std::size_t Maior_Trava = 4096;
// Line numbers (from 0) in the files Qt writes.
constexpr std::size_t Linha_Programa = 1;
constexpr std::size_t Linha_Boot = 4;

std::string_view Aparado(std::string_view texto) {
    const std::size_t inicio = texto.find_first_not_of(" \t\r");
    if (inicio == std::string_view::npos) {
        return {};
    }
    const std::size_t fim = texto.find_last_not_of(" \t\r");
    return texto.substr(inicio, fim - inicio + 1);
}

std::vector<std::string_view> Linhas(std::string_view texto) {
    std::vector<std::string_view> linhas;
    while (!texto.empty()) {
        const std::size_t fim = texto.find('\n');
        linhas.push_back(Aparado(texto.substr(0, fim)));
        texto = fim == std::string_view::npos ? std::string_view() : texto.substr(fim + 1);
    }
    return linhas;
}

std::string Boot_Atual() {
    std::ifstream arquivo("/proc/sys/kernel/random/boot_id");
    std::string boot;
    arquivo >> boot;
    return boot;
}

// The name of the program the process runs; nothing, with `erro`, when it cannot be read.
std::optional<std::string> Programa_Do_Processo(long processo, int& erro) {
    std::array<char, 4096> destino{};
    const std::string exe = "/proc/" + std::to_string(processo) + "/exe";
    const ssize_t n = ::readlink(exe.c_str(), destino.data(), destino.size() - 1);
    if (n < 0) {
        erro = errno;
        return std::nullopt;
    }
    std::string caminho(destino.data(), static_cast<std::size_t>(n));
    constexpr std::string_view Apagado = " (deleted)";
    if (caminho.ends_with(Apagado)) {
        caminho.resize(caminho.size() - Apagado.size());
    }
    return std::filesystem::path(caminho).filename().string();
}

// The contents of a regular file; nothing, with `erro` (0 for a file of another kind), when it
// cannot be read. Anything else in a lock's place is never opened: a FIFO would hang the
// probe, and a link or a node leading to a terminal would raise its DTR and RTS.
std::optional<std::string> Ler_Arquivo(const std::filesystem::path& arquivo, int& erro) {
    struct stat estado {};
    if (::lstat(arquivo.c_str(), &estado) != 0) {
        erro = errno;
        return std::nullopt;
    }
    if (!S_ISREG(estado.st_mode)) {
        erro = 0;
        return std::nullopt;
    }
    const int descritor =
        ::open(arquivo.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descritor < 0) {
        erro = errno;
        return std::nullopt;
    }
    std::string conteudo(Maior_Trava, '\0');
    ssize_t lidos = -1;
    if (::fstat(descritor, &estado) != 0) {
        erro = errno;
    } else if (!S_ISREG(estado.st_mode)) {
        erro = 0;
    } else if ((lidos = ::read(descritor, conteudo.data(), conteudo.size())) < 0) {
        erro = errno;
    }
    ::close(descritor);
    if (lidos < 0) {
        return std::nullopt;
    }
    conteudo.resize(static_cast<std::size_t>(lidos));
    return conteudo;
}

}  // namespace

std::string Nome_Trava(const std::filesystem::path& dispositivo) {
    std::string nome = dispositivo.string();
    if (nome.starts_with(Pasta_Dispositivos)) {
        nome.erase(0, Pasta_Dispositivos.size());
    }
    std::replace(nome.begin(), nome.end(), '/', '_');
    return std::string(Prefixo_Trava) + nome;
}

std::optional<Trava> Ler_Trava(std::string_view conteudo) {
    const std::vector<std::string_view> linhas = Linhas(conteudo);
    if (linhas.empty()) {
        return std::nullopt;
    }
    const std::optional<int> processo = Inteiro_Decimal(linhas[0]);
    if (!processo || *processo <= 0) {
        return std::nullopt;
    }
    Trava trava{.processo = *processo, .programa = {}, .boot = {}};
    if (linhas.size() > Linha_Programa) {
        trava.programa = linhas[Linha_Programa];
    }
    if (linhas.size() > Linha_Boot) {
        trava.boot = linhas[Linha_Boot];
    }
    return trava;
}

bool Trava_Vigente(const Trava& trava) {
    if (!trava.boot.empty()) {
        const std::string atual = Boot_Atual();
        if (!atual.empty() && atual != trava.boot) {
            return false;
        }
    }
    if (::kill(static_cast<pid_t>(trava.processo), 0) != 0 && errno == ESRCH) {
        return false;
    }
    if (trava.programa.empty()) {
        return false;
    }
    int erro = 0;
    const std::optional<std::string> programa = Programa_Do_Processo(trava.processo, erro);
    if (!programa) {
        return erro != ENOENT && erro != ESRCH;
    }
    return *programa == std::filesystem::path(trava.programa).filename().string();
}

Estado_Trava Consultar_Trava(const std::vector<std::filesystem::path>& pastas,
                             const std::filesystem::path& dispositivo) {
    std::optional<Estado_Trava> ilegivel;
    for (const std::filesystem::path& pasta : pastas) {
        const std::filesystem::path arquivo = pasta / Nome_Trava(dispositivo);
        int erro = 0;
        const std::optional<std::string> conteudo = Ler_Arquivo(arquivo, erro);
        if (!conteudo) {
            if (erro != ENOENT && !ilegivel) {
                ilegivel = Estado_Trava{.tipo = Estado_Trava::Tipo::Ilegivel,
                                        .processo = 0,
                                        .arquivo = arquivo,
                                        .erro = erro};
            }
            continue;
        }
        const std::optional<Trava> trava = Ler_Trava(*conteudo);
        if (trava && Trava_Vigente(*trava)) {
            return {.tipo = Estado_Trava::Tipo::Presa,
                    .processo = trava->processo,
                    .arquivo = arquivo,
                    .erro = 0};
        }
    }
    return ilegivel.value_or(Estado_Trava{});
}

}  // namespace qx7
