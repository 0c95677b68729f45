#include "station/port_discovery.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "link/system_error.h"
#include "station/base_dir.h"
#include "station/port_lock.h"
#include "station/port_reason.h"
#include "station/sysfs_ports.h"
#include "station/tty_check.h"

namespace qx7 {

namespace {

using Situacao = Juizo_Porta::Situacao;

bool Mesmo_Adaptador(const Porta_Sistema& a, const Porta_Sistema& b) {
    return a.fabricante == b.fabricante && a.produto == b.produto &&
           a.numero_serie == b.numero_serie;
}

// The link in `pasta` that leads to the device; the first by name when several do (udev
// makes two by-path names for one socket).
std::filesystem::path Ligacao_Para(const std::filesystem::path& pasta,
                                   const std::filesystem::path& dispositivo) {
    std::filesystem::path escolhida;
    std::error_code erro;
    for (const auto& ligacao : std::filesystem::directory_iterator(pasta, erro)) {
        if (Mesmo_Dispositivo(ligacao.path(), dispositivo) &&
            (escolhida.empty() || ligacao.path() < escolhida)) {
            escolhida = ligacao.path();
        }
    }
    return escolhida;
}

Juizo_Porta Juizo(Situacao situacao, std::string motivo = {}) {
    return {.situacao = situacao, .motivo = std::move(motivo)};
}

// What the node is, from its type and the kernel's driver table; nothing when it is a
// serial terminal.
std::optional<Juizo_Porta> Juizo_Do_No(const std::filesystem::path& real,
                                       const std::filesystem::path& classe_tty) {
    const Exame_Terminal exame = Examinar_Terminal(real, classe_tty);
    switch (exame.resultado) {
        case Exame_Terminal::Resultado::Terminal:
            return std::nullopt;
        case Exame_Terminal::Resultado::Ausente:
        case Exame_Terminal::Resultado::Sem_Uart:
            return Juizo(Situacao::Ausente);
        case Exame_Terminal::Resultado::Nao_Caractere:
            return Juizo(Situacao::Indisponivel, real.string() + " não é um dispositivo serial");
        case Exame_Terminal::Resultado::Nao_Terminal:
            return Juizo(Situacao::Indisponivel, real.string() + " não é um terminal serial");
        case Exame_Terminal::Resultado::Desconhecido:
            break;
    }
    return Juizo(Situacao::Incerto, "não foi possível examinar " + real.string() + ": " +
                                        Descricao_Erro_Sistema(exame.erro));
}

}  // namespace

std::vector<Porta_Sistema> Descoberta_Portas::Listar() const {
    return Portas_Do_Sysfs(pastas_.classe_tty, pastas_.dispositivos);
}

int Descoberta_Portas::Acesso(const std::filesystem::path& dispositivo) const {
    return ::faccessat(AT_FDCWD, dispositivo.c_str(), R_OK | W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

bool Mesmo_Dispositivo(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code erro_a;
    std::error_code erro_b;
    const std::filesystem::path real_a = std::filesystem::canonical(a, erro_a);
    const std::filesystem::path real_b = std::filesystem::canonical(b, erro_b);
    return !erro_a && !erro_b && real_a == real_b;
}

std::vector<Porta_Sistema> Portas_Presentes(const Descoberta_Portas& descoberta) {
    std::vector<Porta_Sistema> portas = descoberta.Listar();
    for (Porta_Sistema& porta : portas) {
        // Adapters without a serial number of their own share one by-id name, which udev
        // gives to whichever came last.
        const bool nome_proprio =
            !porta.numero_serie.empty() &&
            std::count_if(portas.begin(), portas.end(), [&porta](const Porta_Sistema& outra) {
                return Mesmo_Adaptador(porta, outra);
            }) == 1;
        if (nome_proprio) {
            porta.nome_estavel = Ligacao_Para(descoberta.Pastas().por_id, porta.dispositivo);
        }
        if (porta.nome_estavel.empty()) {
            porta.nome_estavel = Ligacao_Para(descoberta.Pastas().por_caminho, porta.dispositivo);
            porta.pela_porta_fisica = !porta.nome_estavel.empty();
        }
    }
    return portas;
}

Juizo_Porta Julgar_Dispositivo(const Descoberta_Portas& descoberta,
                               const std::filesystem::path& dispositivo) {
    std::error_code erro;
    // The device itself: its lock is named after it, not after a link to it.
    const std::filesystem::path real = std::filesystem::canonical(dispositivo, erro);
    if (erro == std::errc::no_such_file_or_directory) {
        return Juizo(Situacao::Ausente);
    }
    if (erro) {
        return Juizo(Situacao::Incerto,
                     "o caminho " + dispositivo.string() +
                         " não pode ser seguido: " + Descricao_Erro_Sistema(erro.value()));
    }
    if (std::optional<Juizo_Porta> no = Juizo_Do_No(real, descoberta.Pastas().classe_tty)) {
        return *no;
    }
    const int acesso = descoberta.Acesso(real);
    if (acesso == EACCES || acesso == EPERM) {
        return Juizo(Situacao::Indisponivel, Motivo_Sem_Permissao(Direitos(real)));
    }
    if (acesso != 0) {
        return Juizo(acesso == ENOENT ? Situacao::Ausente : Situacao::Incerto,
                     Descricao_Erro_Sistema(acesso));
    }
    const Estado_Trava trava = Consultar_Trava(descoberta.Pastas().travas, real);
    if (trava.tipo == Estado_Trava::Tipo::Presa) {
        return Juizo(Situacao::Indisponivel, Motivo_Em_Uso(trava.processo));
    }
    if (const std::optional<long> processo = Processo_Com_Dispositivo(real)) {
        return Juizo(Situacao::Indisponivel, Motivo_Em_Uso(processo));
    }
    if (trava.tipo == Estado_Trava::Tipo::Ilegivel) {
        return Juizo(
            Situacao::Incerto,
            "a trava " + trava.arquivo.string() +
                (trava.erro == 0 ? std::string(" não é um arquivo comum")
                                 : " não pode ser lida: " + Descricao_Erro_Sistema(trava.erro)));
    }
    return Juizo(Situacao::Livre);
}

Juizo_Porta Julgar_COM(const Descoberta_Portas& descoberta, const std::filesystem::path& base,
                       int n) {
    const Dispositivo_COM resolvido = Resolver_COM(base, n);
    switch (resolvido.situacao) {
        case Dispositivo_COM::Situacao::Aguardando:
            return Juizo(Situacao::Ausente, resolvido.motivo.toStdString());
        case Dispositivo_COM::Situacao::Recusado:
            return Juizo(Situacao::Indisponivel, resolvido.motivo.toStdString());
        case Dispositivo_COM::Situacao::Pronto:
            break;
    }
    return Julgar_Dispositivo(descoberta, resolvido.caminho.toStdU16String());
}

}  // namespace qx7
