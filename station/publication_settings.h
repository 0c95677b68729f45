#pragma once
// [Publicacao] of Preferencias.ini: where the station publishes. Read and checked here, so the
// publisher gets a configuration that is safe to use, and written back by the "Publicação"
// dialog. Security by default: mqtts:// always checks the broker's certificate and host name;
// a password over plain mqtt:// to anything but this machine is refused unless
// PermitirSemTLS=true; a file holding the password or the key that others may read is refused.

#include <QString>
#include <optional>

#include "publish/mqtt_config.h"

namespace qx7 {

// The group as the file has it, every key as text: what the dialog edits.
struct Campos_Publicacao {
    QString servidor{};  // mqtt://host:porta or mqtts://host:porta
    QString usuario{}, senha{};
    QString ca{}, certificado{}, chave{};
    QString estacao{}, prefixo{};
    bool permitir_sem_tls = false;
};

struct Leitura_Publicacao {
    bool presente = false;                    // the file has [Publicacao]
    std::optional<Configuracao_Mqtt> config;  // checked; none when absent or refused
    QString recusa;                           // why it is refused (Portuguese)
    QString aviso;                            // allowed, but the log must say it
};

std::optional<Campos_Publicacao> Ler_Campos_Publicacao(const QString& arquivo_preferencias);

// The fields checked; `nome_maquina` names the station when Estacao is empty.
Leitura_Publicacao Validar_Publicacao(const Campos_Publicacao& campos, const QString& nome_maquina);

// The file read and checked, its own permissions included.
Leitura_Publicacao Ler_Publicacao(const QString& arquivo_preferencias);

// Writes the group (an empty Servidor removes it: nothing is published); a file that gets a
// password is made readable by its owner only. False, with `erro`, when it was not written.
bool Gravar_Publicacao(const QString& arquivo_preferencias, const Campos_Publicacao& campos,
                       QString& erro);

}  // namespace qx7
