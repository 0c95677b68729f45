#include "station/base_dir.h"

#include <QDir>
#include <QtGlobal>
#include <optional>
#include <system_error>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "link/system_error.h"
#include "station/com_number.h"
#include "station/tty_check.h"
#include "station/user_name.h"
#endif

namespace qx7 {

namespace {

#ifndef Q_OS_WIN
constexpr uid_t Usuario_Root = 0;
#endif

std::filesystem::path Caminho(const QString& texto) {
    const QByteArray utf8 = texto.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()),
                                               static_cast<std::size_t>(utf8.size())));
}

#ifndef Q_OS_WIN
QString Texto(const std::filesystem::path& caminho) {
    return QString::fromStdU16String(caminho.u16string());
}

std::filesystem::path Configuracoes_Usuario() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return Caminho(xdg);
    }
    return Caminho(QDir::homePath()) / ".config";
}

// Wine spells its links in lower case (dosdevices/com1); COMn is looked for first.
std::filesystem::path Entrada_COM(const std::filesystem::path& base, int n) {
    for (const char* prefixo : {"COM", "com"}) {
        std::error_code erro;
        const std::filesystem::path entrada = base / (prefixo + std::to_string(n));
        if (std::filesystem::exists(std::filesystem::symlink_status(entrada, erro))) {
            return entrada;
        }
    }
    return {};
}
#endif

Dispositivo_COM Pronto(QString caminho) {
    return {
        .situacao = Dispositivo_COM::Situacao::Pronto, .caminho = std::move(caminho), .motivo = {}};
}

#ifndef Q_OS_WIN
Dispositivo_COM Recusado(const std::filesystem::path& entrada, QString motivo) {
    return {.situacao = Dispositivo_COM::Situacao::Recusado,
            .caminho = Texto(entrada),
            .motivo = std::move(motivo)};
}

// An entry whose device does not exist yet: an adapter not plugged in, or udev not done.
Dispositivo_COM Aguardando(const std::filesystem::path& entrada, int n,
                           const std::filesystem::path& destino) {
    return {.situacao = Dispositivo_COM::Situacao::Aguardando,
            .caminho = Texto(entrada),
            .motivo = QStringLiteral("a entrada COM%1 leva a %2, que ainda não existe")
                          .arg(n)
                          .arg(Texto(destino))};
}

QString Texto_Erro(int erro) {
    return QString::fromStdString(Descricao_Erro_Sistema(erro));
}

// Why the entry must not be trusted: someone other than this user or root could make it lead
// to another device.
std::optional<QString> Entrada_Insegura(const std::filesystem::path& entrada, int n,
                                        uid_t usuario) {
    struct stat estado {};
    if (::lstat(entrada.c_str(), &estado) != 0) {
        return QStringLiteral("a entrada COM%1 não pode ser examinada: %2")
            .arg(n)
            .arg(Texto_Erro(errno));
    }
    if (estado.st_uid != usuario && estado.st_uid != Usuario_Root) {
        return QStringLiteral("a entrada COM%1 pertence ao usuário %2, não a você nem a root")
            .arg(n)
            .arg(Nome_Usuario(estado.st_uid));
    }
    // A link's own mode means nothing; whoever may write its folder may replace it.
    if (!S_ISLNK(estado.st_mode) && (estado.st_mode & S_IWOTH) != 0) {
        return QStringLiteral("a entrada COM%1 pode ser alterada por qualquer usuário").arg(n);
    }
    struct stat pasta {};
    if (::stat(entrada.parent_path().c_str(), &pasta) == 0 && (pasta.st_mode & S_IWOTH) != 0 &&
        (pasta.st_mode & S_ISVTX) == 0) {
        return QStringLiteral(
                   "a pasta %1 pode ser alterada por qualquer usuário, que poderia "
                   "trocar a entrada COM%2")
            .arg(Texto(entrada.parent_path()))
            .arg(n);
    }
    return std::nullopt;
}

// Ready when the entry's device is a serial terminal, judged without opening it.
Dispositivo_COM Conforme_Dispositivo(const std::filesystem::path& entrada, int n,
                                     const std::filesystem::path& dispositivo) {
    const Exame_Terminal exame = Examinar_Terminal(dispositivo);
    const QString leva_a =
        QStringLiteral("a entrada COM%1 leva a %2").arg(n).arg(Texto(dispositivo));
    switch (exame.resultado) {
        case Exame_Terminal::Resultado::Terminal:
        case Exame_Terminal::Resultado::Sem_Uart:
            return Pronto(Texto(dispositivo));
        case Exame_Terminal::Resultado::Ausente:
            return Aguardando(entrada, n, dispositivo);
        case Exame_Terminal::Resultado::Nao_Caractere:
            return Recusado(entrada, leva_a + QStringLiteral(", que não é um dispositivo serial"));
        case Exame_Terminal::Resultado::Nao_Terminal:
            return Recusado(entrada, leva_a + QStringLiteral(", que não é um terminal serial"));
        case Exame_Terminal::Resultado::Desconhecido:
            break;
    }
    return Recusado(
        entrada,
        leva_a + QStringLiteral(", que não pode ser examinado: %1").arg(Texto_Erro(exame.erro)));
}
#endif

}  // namespace

std::filesystem::path Diretorio_Base_Padrao() {
    const QString sobrescrito = qEnvironmentVariable("QX7_DIRETORIO_BASE");
    if (!sobrescrito.isEmpty()) {
        return Caminho(sobrescrito);
    }
#ifdef Q_OS_WIN
    return std::filesystem::path(u8"C:\\Comunicação QX7\\");
#else
    return Configuracoes_Usuario() / u8"Comunicação QX7" / "";
#endif
}

std::filesystem::path Arquivo_Configuracao(const std::filesystem::path& base) {
    return base / u8"Configuração.TXT";
}

Dispositivo_COM Resolver_COM(const std::filesystem::path& base, int n) {
#ifdef Q_OS_WIN
    (void)base;
    return Pronto(QStringLiteral("\\\\.\\COM%1").arg(n));
#else
    return Resolver_COM(base, n, ::geteuid());
#endif
}

#ifndef Q_OS_WIN
Dispositivo_COM Resolver_COM(const std::filesystem::path& base, int n, uid_t usuario) {
    const std::filesystem::path entrada = Entrada_COM(base, n);
    if (entrada.empty()) {
        return Pronto(QStringLiteral("/dev/ttyS%1").arg(n - 1));
    }
    if (const std::optional<QString> motivo = Entrada_Insegura(entrada, n, usuario)) {
        return Recusado(entrada, *motivo);
    }
    std::error_code erro;
    const std::filesystem::path ligacao = std::filesystem::read_symlink(entrada, erro);
    if (!erro && Nome_Do_Kernel(ligacao)) {
        return Recusado(entrada, QStringLiteral("a entrada COM%1 leva a %2, nome que o sistema dá "
                                                "pela ordem em que os adaptadores são ligados e "
                                                "que pode passar a outro; escolha o adaptador de "
                                                "novo em \"Configurar Programa\"")
                                     .arg(n)
                                     .arg(Texto(ligacao)));
    }
    // The device itself, so that two names of one device share its lock and one opening.
    const std::filesystem::path dispositivo = std::filesystem::canonical(entrada, erro);
    if (erro == std::errc::no_such_file_or_directory) {
        return Aguardando(entrada, n, ligacao);
    }
    if (erro) {
        return Recusado(entrada, QStringLiteral("a entrada COM%1 não pode ser seguida: %2")
                                     .arg(n)
                                     .arg(Texto_Erro(erro.value())));
    }
    return Conforme_Dispositivo(entrada, n, dispositivo);
}
#endif

}  // namespace qx7
