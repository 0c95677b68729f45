#pragma once
// The serial devices the system reports, with what tells them apart to a person, and why one
// cannot be opened. The system is reached through Descoberta_Portas, so that tests give their
// own port list and folders.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "station/system_port.h"

namespace qx7 {

class Descoberta_Portas {
  public:
    virtual ~Descoberta_Portas() = default;
    // The serial devices the kernel knows of (nome_estavel not filled in).
    virtual std::vector<Porta_Sistema> Listar() const = 0;
    // The folder of links named after each adapter's maker, model and serial number.
    virtual std::filesystem::path Pasta_Por_Id() const = 0;
    // Where programs leave their "LCK..ttyUSB0" lock files.
    virtual std::vector<std::filesystem::path> Pastas_Trava() const = 0;
    // 0 when the device opens for reading and writing, else the errno of the attempt.
    virtual int Tentar_Abrir(const std::filesystem::path& dispositivo) const = 0;
};

// QSerialPortInfo, /dev/serial/by-id, /var/lock and /run/lock.
class Descoberta_Sistema : public Descoberta_Portas {
  public:
    std::vector<Porta_Sistema> Listar() const override;
    std::filesystem::path Pasta_Por_Id() const override;
    std::vector<std::filesystem::path> Pastas_Trava() const override;
    int Tentar_Abrir(const std::filesystem::path& dispositivo) const override;
};

// The listed devices, each with the by-id link that leads to it.
std::vector<Porta_Sistema> Portas_Presentes(const Descoberta_Portas& descoberta);

// Why the device cannot be used, in Portuguese (UTF-8); nothing when it opens.
std::optional<std::string> Motivo_Indisponivel(const Descoberta_Portas& descoberta,
                                               const std::filesystem::path& dispositivo);

// Whether two paths name the same device, links followed.
bool Mesmo_Dispositivo(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace qx7
