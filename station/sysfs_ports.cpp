#include "station/sysfs_ports.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

namespace qx7 {

namespace {

// The first line of a sysfs attribute, without its line end; empty when absent.
std::string Atributo(const std::filesystem::path& pasta, const char* nome) {
    std::ifstream arquivo(pasta / nome);
    std::string valor;
    std::getline(arquivo, valor);
    while (!valor.empty() && (valor.back() == ' ' || valor.back() == '\r')) {
        valor.pop_back();
    }
    return valor;
}

// The USB device above the port's interface: the first folder up the tree with an idVendor.
std::filesystem::path Dispositivo_Usb(std::filesystem::path pasta) {
    while (pasta.has_relative_path()) {
        std::error_code erro;
        if (std::filesystem::exists(pasta / "idVendor", erro)) {
            return pasta;
        }
        pasta = pasta.parent_path();
    }
    return {};
}

}  // namespace

std::vector<Porta_Sistema> Portas_Do_Sysfs(const std::filesystem::path& classe_tty,
                                           const std::filesystem::path& dispositivos) {
    std::vector<Porta_Sistema> portas;
    std::error_code erro;
    for (const auto& entrada : std::filesystem::directory_iterator(classe_tty, erro)) {
        std::error_code sem_dispositivo;
        const std::filesystem::path aparelho =
            std::filesystem::canonical(entrada.path() / "device", sem_dispositivo);
        if (sem_dispositivo) {
            continue;
        }
        // An 8250 address with no chip: type 0 (unknown).
        if (Atributo(entrada.path(), "type") == "0") {
            continue;
        }
        const std::string nome = entrada.path().filename().string();
        const std::filesystem::path usb = Dispositivo_Usb(aparelho);
        Porta_Sistema porta{.nome = nome,
                            .dispositivo = dispositivos / nome,
                            .fabricante = {},
                            .produto = {},
                            .numero_serie = {},
                            .nome_estavel = {},
                            .pela_porta_fisica = false};
        if (!usb.empty()) {
            porta.fabricante = Atributo(usb, "manufacturer");
            porta.produto = Atributo(usb, "product");
            porta.numero_serie = Atributo(usb, "serial");
        }
        portas.push_back(std::move(porta));
    }
    std::sort(portas.begin(), portas.end(),
              [](const Porta_Sistema& a, const Porta_Sistema& b) { return a.nome < b.nome; });
    return portas;
}

}  // namespace qx7
