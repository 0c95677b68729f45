#include "station/com_number.h"

#include <cctype>
#include <system_error>

#include "link/digits.h"
#include "link/system_error.h"

namespace qx7 {

std::optional<int> Numero_Do_Nome_COM(const std::string& nome) {
    if (nome.size() < 4 || nome.size() > 6 || nome[3] == '0') {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(nome[i])) != "COM"[i]) {
            return std::nullopt;
        }
    }
    return Inteiro_Decimal(std::string_view(nome).substr(3));
}

bool Nome_Do_Kernel(const std::filesystem::path& caminho) {
    const std::string nome = caminho.filename().string();
    for (std::string_view prefixo : {"ttyUSB", "ttyACM"}) {
        if (nome.starts_with(prefixo) &&
            So_Digitos(std::string_view(nome).substr(prefixo.size()))) {
            return true;
        }
    }
    return false;
}

std::map<int, std::filesystem::path> Entradas_COM(const std::filesystem::path& base) {
    std::map<int, std::filesystem::path> entradas;
    std::error_code erro;
    for (const auto& item : std::filesystem::directory_iterator(base, erro)) {
        const std::optional<int> n = Numero_Do_Nome_COM(item.path().filename().string());
        if (!n) {
            continue;
        }
        std::error_code sem_link;
        entradas[*n] = std::filesystem::read_symlink(item.path(), sem_link);
    }
    return entradas;
}

std::optional<int> Numero_COM(const std::map<int, std::filesystem::path>& entradas,
                              const std::set<int>& do_sistema, const std::filesystem::path& alvo,
                              int maximo) {
    for (const auto& [n, destino] : entradas) {
        if (!destino.empty() && destino.lexically_normal() == alvo.lexically_normal()) {
            return n;
        }
    }
    for (int n = 1; n <= maximo; ++n) {
        if (!entradas.contains(n) && !do_sistema.contains(n)) {
            return n;
        }
    }
    return std::nullopt;
}

bool Ligar_COM(const std::filesystem::path& base, int n, const std::filesystem::path& alvo,
               std::string& erro) {
    if (Nome_Do_Kernel(alvo)) {
        erro = alvo.string() + " pode passar a outro adaptador depois de religar ou reiniciar";
        return false;
    }
    std::error_code falha;
    std::filesystem::create_directories(base, falha);
    if (!falha) {
        std::filesystem::create_symlink(alvo, base / ("COM" + std::to_string(n)), falha);
    }
    if (falha) {
        erro = Descricao_Erro_Sistema(falha.value());
        return false;
    }
    return true;
}

}  // namespace qx7
