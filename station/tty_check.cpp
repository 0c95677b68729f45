#include "station/tty_check.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "link/digits.h"

namespace qx7 {

namespace {

constexpr const char* Tabela_Drivers = "/proc/tty/drivers";
// Driver kinds whose devices carry a serial line; consoles and pty masters do not.
constexpr std::string_view Tipos_Serial[] = {"serial", "pty:slave"};

std::optional<unsigned> Numero(std::string_view texto) {
    const std::optional<int> valor = Inteiro_Decimal(texto);
    if (!valor) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*valor);
}

// "64" or "0-1048575".
bool Na_Faixa(std::string_view faixa, unsigned menor) {
    const std::size_t traco = faixa.find('-');
    const std::optional<unsigned> de = Numero(faixa.substr(0, traco));
    const std::optional<unsigned> ate =
        traco == std::string_view::npos ? de : Numero(faixa.substr(traco + 1));
    return de && ate && *de <= menor && menor <= *ate;
}

bool Tipo_Serial(std::string_view tipo) {
    for (std::string_view serial : Tipos_Serial) {
        if (tipo == serial) {
            return true;
        }
    }
    return false;
}

// Whether the sysfs entry of the port says no UART answered at its address.
bool Sem_Uart(const std::filesystem::path& classe_tty, const std::filesystem::path& no) {
    std::ifstream tipo(classe_tty / no.filename() / "type");
    std::string valor;
    return tipo >> valor && valor == "0";
}

}  // namespace

bool Terminal_Serial(std::string_view tabela, unsigned maior, unsigned menor) {
    std::istringstream linhas{std::string(tabela)};
    std::string linha;
    while (std::getline(linhas, linha)) {
        std::istringstream campos(linha);
        std::vector<std::string> palavras;
        for (std::string palavra; campos >> palavra;) {
            palavras.push_back(palavra);
        }
        // driver, node, major, minors, kind: read from the right, as names may hold blanks.
        if (palavras.size() < 5) {
            continue;
        }
        const std::size_t n = palavras.size();
        if (Numero(palavras[n - 3]) == maior && Na_Faixa(palavras[n - 2], menor) &&
            Tipo_Serial(palavras[n - 1])) {
            return true;
        }
    }
    return false;
}

Exame_Terminal Examinar_Terminal(const std::filesystem::path& caminho,
                                 const std::filesystem::path& classe_tty) {
    using R = Exame_Terminal::Resultado;
    struct stat estado {};
    if (::stat(caminho.c_str(), &estado) != 0) {
        const int erro = errno;
        return erro == ENOENT ? Exame_Terminal{R::Ausente} : Exame_Terminal{R::Desconhecido, erro};
    }
    if (!S_ISCHR(estado.st_mode)) {
        return {R::Nao_Caractere};
    }
    errno = 0;
    std::ifstream arquivo(Tabela_Drivers);
    if (!arquivo) {
        return {R::Desconhecido, errno != 0 ? errno : EIO};
    }
    const std::string tabela{std::istreambuf_iterator<char>(arquivo),
                             std::istreambuf_iterator<char>()};
    if (!Terminal_Serial(tabela, major(estado.st_rdev), minor(estado.st_rdev))) {
        return {R::Nao_Terminal};
    }
    std::error_code erro;
    const std::filesystem::path real = std::filesystem::canonical(caminho, erro);
    if (Sem_Uart(classe_tty, erro ? caminho : real)) {
        return {R::Sem_Uart};
    }
    return {R::Terminal};
}

}  // namespace qx7
