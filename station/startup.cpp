#include "station/startup.h"

#include <QDebug>
#include <optional>
#include <utility>

#include "station/base_dir.h"
#include "station/config_file.h"
#include "station/port_opening.h"

namespace qx7 {

namespace {

// The port number the file names, or why there is none.
std::optional<int> Porta_Configurada(const std::filesystem::path& arquivo, std::string& motivo) {
    const std::optional<std::string> campo = Ler_Primeiro_Campo(arquivo);
    if (!campo) {
        motivo = "arquivo de configuração ausente ou vazio";
        return std::nullopt;
    }
    const std::optional<int> numero = Numero_Porta(*campo);
    if (!numero) {
        motivo = "nenhum número de porta no arquivo de configuração";
    }
    return numero;
}

// The reason to wait when the file names a COMn entry whose device is not there yet.
std::optional<std::string> Motivo_Espera(const std::filesystem::path& diretorio_base) {
    std::string motivo;
    const std::optional<int> numero =
        Porta_Configurada(Arquivo_Configuracao(diretorio_base), motivo);
    if (!numero) {
        return std::nullopt;
    }
    const Dispositivo_COM dispositivo = Resolver_COM(diretorio_base, *numero);
    if (dispositivo.situacao != Dispositivo_COM::Situacao::Aguardando) {
        return std::nullopt;
    }
    return dispositivo.motivo.toStdString();
}

}  // namespace

bool Abrir_Canal_Serial(PortaSerial& canal, const std::filesystem::path& arquivo,
                        std::string& motivo) {
    const std::optional<int> numero = Porta_Configurada(arquivo, motivo);
    if (!numero) {
        return false;
    }
    if (Abrir_Porta(canal, *numero)) {
        return true;
    }
    motivo = canal.Erro();
    if (canal.PortOpen()) {
        canal.PortOpen(false);
    }
    return false;
}

Resultado_Inicio Inicializar_Canal_Serial(PortaSerial& canal,
                                          const std::filesystem::path& diretorio_base,
                                          const Ganchos_Inicializacao& ganchos) {
    bool perguntar = false;
    for (;;) {
        std::string motivo;
        if (Abrir_Canal_Serial(canal, Arquivo_Configuracao(diretorio_base), motivo)) {
            return {};
        }
        if (std::optional<std::string> espera = Motivo_Espera(diretorio_base)) {
            return {Inicio_Canal::Aguardando_Dispositivo, std::move(*espera)};
        }
        qWarning("Porta serial não aberta: %s", motivo.c_str());
        if (perguntar && ganchos.confirmar_saida()) {
            return {Inicio_Canal::Sair, {}};
        }
        perguntar = !ganchos.abrir_configuracao(motivo);
    }
}

}  // namespace qx7
