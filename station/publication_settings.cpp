#include "station/publication_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QUrl>

#include "station/secret_file.h"

namespace qx7 {

namespace {

const QString Grupo = QStringLiteral("Publicacao");
constexpr const char* Chave_Servidor = "Servidor";
constexpr const char* Chave_Usuario = "Usuario";
constexpr const char* Chave_Senha = "Senha";
constexpr const char* Chave_Ca = "CA";
constexpr const char* Chave_Certificado = "Certificado";
constexpr const char* Chave_Chave = "Chave";
constexpr const char* Chave_Estacao = "Estacao";
constexpr const char* Chave_Prefixo = "Prefixo";
constexpr const char* Chave_Sem_Tls = "PermitirSemTLS";
constexpr int Maior_Octeto = 255;
constexpr int Rede_Loopback = 127;

Leitura_Publicacao Recusada(const QString& motivo) {
    return {.presente = true, .config = std::nullopt, .recusa = motivo, .aviso = {}};
}

// This machine: "localhost", 127.x.x.x or ::1. The names of other hosts may resolve here too,
// but only these are sure to.
bool Loopback(const QString& host) {
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 ||
        host == QStringLiteral("::1")) {
        return true;
    }
    const QStringList partes = host.split(u'.');
    if (partes.size() != 4) {
        return false;
    }
    for (const QString& parte : partes) {
        bool ok = false;
        if (const int octeto = parte.toInt(&ok); !ok || octeto < 0 || octeto > Maior_Octeto) {
            return false;
        }
    }
    return partes.front().toInt() == Rede_Loopback;
}

// A name that may stand as one level of a topic (or several, for the prefix).
bool Nome_De_Topico(const QString& nome, bool niveis) {
    return !nome.isEmpty() && !nome.contains(u'+') && !nome.contains(u'#') &&
           !nome.contains(QChar(0)) &&
           (niveis ? !nome.startsWith(u'/') && !nome.endsWith(u'/') && !nome.contains(u"//")
                   : !nome.contains(u'/'));
}

// The address: scheme, host and port only; credentials go in their own keys.
QString Ler_Servidor(const QString& servidor, Configuracao_Mqtt& config) {
    const QUrl url(servidor, QUrl::StrictMode);
    const QString esquema = url.scheme().toLower();
    if (!url.isValid() || (esquema != u"mqtt" && esquema != u"mqtts") || url.host().isEmpty()) {
        return QStringLiteral(
                   "[Publicacao] Servidor=%1 não é mqtt://host:porta nem "
                   "mqtts://host:porta")
            .arg(servidor);
    }
    if (!url.userInfo().isEmpty() || (!url.path().isEmpty() && url.path() != u"/") ||
        url.hasQuery() || url.hasFragment()) {
        return QStringLiteral(
                   "[Publicacao] Servidor=%1 deve ter só o esquema, o host e a porta "
                   "(usuário e senha vão em Usuario e Senha)")
            .arg(servidor);
    }
    config.tls = esquema == u"mqtts";
    config.host = url.host();
    config.porta = url.port(config.tls ? Porta_Mqtts_Padrao : Porta_Mqtt_Padrao);
    return {};
}

QString Arquivos_Tls(const Campos_Publicacao& c, bool tls) {
    if (!tls && (!c.ca.isEmpty() || !c.certificado.isEmpty() || !c.chave.isEmpty())) {
        return QStringLiteral("[Publicacao] CA, Certificado e Chave só valem com mqtts://");
    }
    if (c.certificado.isEmpty() != c.chave.isEmpty()) {
        return QStringLiteral("[Publicacao] Certificado e Chave vão juntos: falta %1")
            .arg(c.certificado.isEmpty() ? QStringLiteral("Certificado") : QStringLiteral("Chave"));
    }
    for (const QString& arquivo : {c.ca, c.certificado, c.chave}) {
        if (!arquivo.isEmpty() && !QFileInfo(arquivo).isReadable()) {
            return QStringLiteral("o arquivo %1 de [Publicacao] não existe ou não pode ser lido")
                .arg(arquivo);
        }
    }
    return {};
}

}  // namespace

Leitura_Publicacao Validar_Publicacao(const Campos_Publicacao& c, const QString& nome_maquina) {
    Configuracao_Mqtt config;
    if (c.servidor.trimmed().isEmpty()) {
        return Recusada(QStringLiteral("[Publicacao] sem Servidor"));
    }
    if (QString erro = Ler_Servidor(c.servidor.trimmed(), config); !erro.isEmpty()) {
        return Recusada(erro);
    }
    if (QString erro = Arquivos_Tls(c, config.tls); !erro.isEmpty()) {
        return Recusada(erro);
    }
    if (!c.senha.isEmpty() && c.usuario.isEmpty()) {
        return Recusada(QStringLiteral("[Publicacao] tem Senha mas não Usuario"));
    }
    config.usuario = c.usuario;
    config.senha = c.senha;
    config.ca = c.ca;
    config.certificado = c.certificado;
    config.chave = c.chave;
    config.estacao = c.estacao.isEmpty() ? nome_maquina : c.estacao;
    config.prefixo = c.prefixo.isEmpty() ? QString::fromLatin1(Prefixo_Padrao) : c.prefixo;
    if (!Nome_De_Topico(config.estacao, false) || !Nome_De_Topico(config.prefixo, true)) {
        return Recusada(QStringLiteral("[Publicacao] Estacao=%1 e Prefixo=%2 não podem ter +, # "
                                       "nem / (no Prefixo, / só entre níveis)")
                            .arg(config.estacao, config.prefixo));
    }
    QString aviso;
    if (!config.tls && !config.senha.isEmpty() && !Loopback(config.host)) {
        if (!c.permitir_sem_tls) {
            return Recusada(QStringLiteral("a senha de [Publicacao] iria sem criptografia para %1; "
                                           "use mqtts:// ou, se a rede for confiável, "
                                           "PermitirSemTLS=true")
                                .arg(config.Servidor()));
        }
        aviso = QStringLiteral(
                    "a senha de [Publicacao] vai sem criptografia para %1 "
                    "(PermitirSemTLS=true)")
                    .arg(config.Servidor());
    }
    return {.presente = true, .config = config, .recusa = {}, .aviso = aviso};
}

std::optional<Campos_Publicacao> Ler_Campos_Publicacao(const QString& arquivo_preferencias) {
    QSettings preferencias(arquivo_preferencias, QSettings::IniFormat);
    if (!preferencias.childGroups().contains(Grupo)) {
        return std::nullopt;
    }
    preferencias.beginGroup(Grupo);
    const auto texto = [&](const char* chave) {
        return preferencias.value(QString::fromLatin1(chave)).toString();
    };
    return Campos_Publicacao{
        .servidor = texto(Chave_Servidor),
        .usuario = texto(Chave_Usuario),
        .senha = texto(Chave_Senha),
        .ca = texto(Chave_Ca),
        .certificado = texto(Chave_Certificado),
        .chave = texto(Chave_Chave),
        .estacao = texto(Chave_Estacao),
        .prefixo = texto(Chave_Prefixo),
        .permitir_sem_tls = preferencias.value(QString::fromLatin1(Chave_Sem_Tls)).toBool(),
    };
}

Leitura_Publicacao Ler_Publicacao(const QString& arquivo_preferencias) {
    const std::optional<Campos_Publicacao> campos = Ler_Campos_Publicacao(arquivo_preferencias);
    if (!campos) {
        return {};
    }
    if (!campos->senha.isEmpty()) {
        if (QString recusa = Recusa_Arquivo_Secreto(
                arquivo_preferencias, QStringLiteral("a senha da publicação ([Publicacao] Senha)"),
                QStringLiteral("nada é publicado"));
            !recusa.isEmpty()) {
            return Recusada(recusa);
        }
    }
    if (!campos->chave.isEmpty()) {
        if (QString recusa = Recusa_Arquivo_Secreto(
                campos->chave, QStringLiteral("a chave do certificado ([Publicacao] Chave)"),
                QStringLiteral("nada é publicado"));
            !recusa.isEmpty()) {
            return Recusada(recusa);
        }
    }
    return Validar_Publicacao(*campos, QSysInfo::machineHostName());
}

bool Gravar_Publicacao(const QString& arquivo_preferencias, const Campos_Publicacao& c,
                       QString& erro) {
    // Created for its owner alone before the password goes in.
    if (!QFileInfo::exists(arquivo_preferencias)) {
        QFile novo(arquivo_preferencias);
        if (!novo.open(QIODevice::WriteOnly) ||
            !novo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            erro = novo.errorString();
            return false;
        }
    }
    QSettings preferencias(arquivo_preferencias, QSettings::IniFormat);
    preferencias.remove(Grupo);
    if (!c.servidor.trimmed().isEmpty()) {
        preferencias.beginGroup(Grupo);
        const auto gravar = [&](const char* chave, const QString& valor) {
            if (!valor.isEmpty()) {
                preferencias.setValue(QString::fromLatin1(chave), valor);
            }
        };
        gravar(Chave_Servidor, c.servidor.trimmed());
        gravar(Chave_Usuario, c.usuario);
        gravar(Chave_Senha, c.senha);
        gravar(Chave_Ca, c.ca);
        gravar(Chave_Certificado, c.certificado);
        gravar(Chave_Chave, c.chave);
        gravar(Chave_Estacao, c.estacao);
        gravar(Chave_Prefixo, c.prefixo);
        if (c.permitir_sem_tls) {
            preferencias.setValue(QString::fromLatin1(Chave_Sem_Tls), true);
        }
        preferencias.endGroup();
    }
    preferencias.sync();
    if (preferencias.status() != QSettings::NoError) {
        erro = QStringLiteral("o arquivo %1 não pôde ser gravado").arg(arquivo_preferencias);
        return false;
    }
    if (!c.senha.isEmpty() &&
        !QFile::setPermissions(arquivo_preferencias,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        erro = QStringLiteral("o arquivo %1 guarda a senha e não pôde ser restrito ao dono")
                   .arg(arquivo_preferencias);
        return false;
    }
    return true;
}

}  // namespace qx7
