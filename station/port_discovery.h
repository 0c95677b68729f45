#pragma once
// The serial devices the system reports, with what tells them apart to a person, and whether
// one can be used, judged without opening it: an open() of a terminal raises DTR and RTS. The
// system is reached through Descoberta_Portas, so that tests give their own port list and
// folders.

#include <filesystem>
#include <vector>

#include "station/system_port.h"

namespace qx7 {

// Where the discovery looks; tests point these at folders of their own.
struct Pastas_Sistema {
    std::filesystem::path classe_tty = "/sys/class/tty";
    std::filesystem::path dispositivos = "/dev";
    std::filesystem::path por_id = "/dev/serial/by-id";         // named after maker, model, serial
    std::filesystem::path por_caminho = "/dev/serial/by-path";  // named after the USB socket
    // The system's lock folders only: any user may leave a lock in /tmp.
    std::vector<std::filesystem::path> travas = {"/var/lock", "/run/lock"};
};

class Descoberta_Portas {
  public:
    explicit Descoberta_Portas(Pastas_Sistema pastas = {}) : pastas_(std::move(pastas)) {}
    virtual ~Descoberta_Portas() = default;

    const Pastas_Sistema& Pastas() const { return pastas_; }
    // The serial devices the kernel knows of (nome_estavel not filled in).
    virtual std::vector<Porta_Sistema> Listar() const;
    // 0 when this user may read and write the device, else the errno; it is not opened.
    virtual int Acesso(const std::filesystem::path& dispositivo) const;

  private:
    Pastas_Sistema pastas_;
};

// The listed devices, each with a stable name: its by-id link when that name is its alone
// (it has a serial number no other present adapter shares), else its by-path link.
std::vector<Porta_Sistema> Portas_Presentes(const Descoberta_Portas& descoberta);

// Whether the device could be opened now: it exists, is a serial terminal, this user may read
// and write it, no lock that the opening honours claims it and no other process has it open.
Juizo_Porta Julgar_Dispositivo(const Descoberta_Portas& descoberta,
                               const std::filesystem::path& dispositivo);

// The same for port number n as the opening resolves it in the base directory; an entry
// refused by the resolution is Indisponivel, one still waiting for its device Ausente.
Juizo_Porta Julgar_COM(const Descoberta_Portas& descoberta, const std::filesystem::path& base,
                       int n);

// Whether two paths name the same device, links followed.
bool Mesmo_Dispositivo(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace qx7
