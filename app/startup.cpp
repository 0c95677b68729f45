#include "app/startup.h"

#include <QDebug>
#include <optional>

#include "app/base_dir.h"
#include "app/config_file.h"
#include "app/port_opening.h"

namespace qx7 {

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
    if (Abrir_Porta(canal, *numero, Uso_Da_Porta::Programa)) {
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
