// The serial devices as Windows reports them. A COM name stays with its adapter (the driver
// keys it to the adapter's serial number or socket), so it is itself the stable name; whether a
// port is in use cannot be told without opening it, which the opening then reports.

#include <windows.h>

#include <QSerialPortInfo>
#include <string>

#include "station/base_dir.h"
#include "station/port_discovery.h"

namespace qx7 {

namespace {

// "COM5" of "\\.\COM5".
std::wstring Nome_Dos(const std::filesystem::path& dispositivo) {
    const std::wstring caminho = dispositivo.wstring();
    return caminho.substr(caminho.find_last_of(L'\\') + 1);
}

}  // namespace

std::vector<Porta_Sistema> Descoberta_Portas::Listar() const {
    std::vector<Porta_Sistema> portas;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        Porta_Sistema porta;
        porta.nome = info.portName().toStdString();
        porta.dispositivo = info.systemLocation().toStdU16String();
        porta.fabricante = info.manufacturer().toStdString();
        porta.produto = info.description().toStdString();
        porta.numero_serie = info.serialNumber().toStdString();
        portas.push_back(std::move(porta));
    }
    return portas;
}

int Descoberta_Portas::Acesso(const std::filesystem::path&) const {
    return 0;
}

bool Mesmo_Dispositivo(const std::filesystem::path& a, const std::filesystem::path& b) {
    return QString::fromStdWString(Nome_Dos(a))
               .compare(QString::fromStdWString(Nome_Dos(b)), Qt::CaseInsensitive) == 0;
}

std::vector<Porta_Sistema> Portas_Presentes(const Descoberta_Portas& descoberta) {
    std::vector<Porta_Sistema> portas = descoberta.Listar();
    for (Porta_Sistema& porta : portas) {
        porta.nome_estavel = porta.dispositivo;
    }
    return portas;
}

// A device's name stays in the object manager while it is plugged in.
Juizo_Porta Julgar_Dispositivo(const Descoberta_Portas&, const std::filesystem::path& dispositivo) {
    wchar_t alvo[MAX_PATH];
    if (::QueryDosDeviceW(Nome_Dos(dispositivo).c_str(), alvo, MAX_PATH) == 0) {
        return {.situacao = Juizo_Porta::Situacao::Ausente, .motivo = {}};
    }
    return {.situacao = Juizo_Porta::Situacao::Livre, .motivo = {}};
}

// Every COM number names its device directly here.
Juizo_Porta Julgar_COM(const Descoberta_Portas& descoberta, const std::filesystem::path& base,
                       int n) {
    return Julgar_Dispositivo(descoberta, Resolver_COM(base, n).caminho.toStdU16String());
}

}  // namespace qx7
