#include "station/port_discovery.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QSerialPortInfo>
#include <cerrno>
#include <system_error>

#include "station/port_reason.h"

namespace qx7 {

std::vector<Porta_Sistema> Descoberta_Sistema::Listar() const {
    std::vector<Porta_Sistema> portas;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        portas.push_back({info.portName().toStdString(),
                          std::filesystem::path(info.systemLocation().toStdU16String()),
                          info.manufacturer().toStdString(),
                          info.description().toStdString(),
                          info.serialNumber().toStdString(),
                          {}});
    }
    return portas;
}

std::filesystem::path Descoberta_Sistema::Pasta_Por_Id() const {
    return "/dev/serial/by-id";
}

std::vector<std::filesystem::path> Descoberta_Sistema::Pastas_Trava() const {
    return {"/var/lock", "/run/lock", std::filesystem::path(QDir::tempPath().toStdU16String())};
}

int Descoberta_Sistema::Tentar_Abrir(const std::filesystem::path& dispositivo) const {
    const int descritor = ::open(dispositivo.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descritor < 0) {
        return errno;
    }
    ::close(descritor);
    return 0;
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
    std::error_code erro;
    for (const auto& ligacao :
         std::filesystem::directory_iterator(descoberta.Pasta_Por_Id(), erro)) {
        for (Porta_Sistema& porta : portas) {
            if (porta.nome_estavel.empty() &&
                Mesmo_Dispositivo(ligacao.path(), porta.dispositivo)) {
                porta.nome_estavel = ligacao.path();
            }
        }
    }
    return portas;
}

std::optional<std::string> Motivo_Indisponivel(const Descoberta_Portas& descoberta,
                                               const std::filesystem::path& dispositivo) {
    // A lock of a live process keeps Qt's own opening out even where the device would open.
    const std::optional<long> travado =
        Processo_Da_Trava(descoberta.Pastas_Trava(), dispositivo.filename().string());
    if (travado) {
        return Motivo_Porta(EBUSY, {}, travado);
    }
    const int erro = descoberta.Tentar_Abrir(dispositivo);
    if (erro == 0) {
        return std::nullopt;
    }
    const bool sem_permissao = erro == EACCES || erro == EPERM;
    return Motivo_Porta(erro, sem_permissao ? Grupo_Dono(dispositivo) : std::string(),
                        erro == EBUSY ? Processo_Com_Dispositivo(dispositivo) : std::nullopt);
}

}  // namespace qx7
