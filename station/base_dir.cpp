#include "station/base_dir.h"

#include <QDir>
#include <QtGlobal>
#include <system_error>

namespace qx7 {

namespace {

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
    const std::filesystem::path entrada = Entrada_COM(base, n);
    if (entrada.empty()) {
        return Pronto(QStringLiteral("/dev/ttyS%1").arg(n - 1));
    }
    // The device itself, so that two names of one device share its lock and one opening.
    std::error_code erro;
    const std::filesystem::path dispositivo = std::filesystem::canonical(entrada, erro);
    if (erro == std::errc::no_such_file_or_directory) {
        return {.situacao = Dispositivo_COM::Situacao::Aguardando,
                .caminho = Texto(entrada),
                .motivo = QStringLiteral("a entrada COM%1 leva a %2, que ainda não existe")
                              .arg(n)
                              .arg(Texto(std::filesystem::read_symlink(entrada, erro)))};
    }
    if (erro) {
        return {.situacao = Dispositivo_COM::Situacao::Recusado,
                .caminho = Texto(entrada),
                .motivo = QStringLiteral("a entrada COM%1 não pode ser seguida: %2")
                              .arg(n)
                              .arg(QString::fromLocal8Bit(erro.message()))};
    }
    return Pronto(Texto(dispositivo));
#endif
}

}  // namespace qx7
