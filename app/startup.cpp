#include "app/startup.h"

#include <QDebug>
#include <optional>

#include "app/base_dir.h"
#include "app/config_file.h"

namespace qx7 {

namespace {

constexpr std::string_view Configuracao_Serial = "9600,N,8,1";

bool Configurar_E_Abrir(PortaSerial& canal, int numero) {
    if (!(canal.CommPort(numero) && canal.Settings(Configuracao_Serial) && canal.InputLen(1) &&
          canal.RThreshold(1) && canal.DTREnable(true) && canal.RTSEnable(false) &&
          canal.PortOpen(true) && canal.Handshaking(0))) {
        return false;
    }
    canal.Descartar_Entrada();
    return true;
}

}  // namespace

bool Abrir_Canal_Serial(PortaSerial& canal, const std::filesystem::path& arquivo,
                        std::string& motivo) {
    const std::optional<std::string> campo = Ler_Primeiro_Campo(arquivo);
    if (!campo) {
        motivo = "arquivo de configuração ausente ou vazio";
        return false;
    }
    const std::optional<int> numero = Numero_Porta(*campo);
    if (!numero) {
        motivo = "nenhum número de porta no arquivo de configuração";
        return false;
    }
    if (Configurar_E_Abrir(canal, *numero)) {
        return true;
    }
    motivo = canal.Erro();
    if (canal.PortOpen()) {
        canal.PortOpen(false);
    }
    return false;
}

bool Inicializar_Canal_Serial(PortaSerial& canal, const std::filesystem::path& diretorio_base,
                              const Ganchos_Inicializacao& ganchos) {
    bool perguntar = false;
    for (;;) {
        std::string motivo;
        if (Abrir_Canal_Serial(canal, Arquivo_Configuracao(diretorio_base), motivo)) {
            return true;
        }
        qWarning("Porta serial não aberta: %s", motivo.c_str());
        if (perguntar && ganchos.confirmar_saida()) {
            return false;
        }
        perguntar = !ganchos.abrir_configuracao();
    }
}

}  // namespace qx7
