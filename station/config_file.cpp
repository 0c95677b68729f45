#include "station/config_file.h"

#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

#include "gauge/numeric_text.h"
#include "link/system_error.h"

namespace qx7 {

namespace {

bool Branco(char c) {
    return c == ' ' || c == '\t';
}

std::string Primeira_Linha(const QByteArray& conteudo) {
    const std::string_view texto(conteudo.constData(), static_cast<std::size_t>(conteudo.size()));
    return std::string(texto.substr(0, texto.find_first_of("\r\n")));
}

#ifndef Q_OS_WIN
// The old file's permissions, or what a new file gets.
mode_t Modo_Para(const std::filesystem::path& arquivo) {
    struct stat atual {};
    if (::stat(arquivo.c_str(), &atual) == 0) {
        return atual.st_mode & 07777;
    }
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

int Gravar_Tudo(int descritor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t escritos = ::write(descritor, bytes.data(), bytes.size());
        if (escritos < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(escritos));
    }
    return ::fsync(descritor) == 0 ? 0 : errno;
}

// Writes a new file beside the old one and renames it into place, so the old content stays
// whole until the new one is on the disk. 0, or the errno of the step that failed.
int Substituir(const std::filesystem::path& arquivo, std::string_view conteudo) {
    // Built by appending: "." + name trips a false -Wrestrict of GCC 12 at -O3.
    std::string nome = ".";
    nome += arquivo.filename().string();
    nome += ".XXXXXX";
    std::string modelo = (arquivo.parent_path() / nome).string();
    const int descritor = ::mkstemp(modelo.data());
    if (descritor < 0) {
        return errno;
    }
    int codigo = ::fchmod(descritor, Modo_Para(arquivo)) == 0 ? 0 : errno;
    if (codigo == 0) {
        codigo = Gravar_Tudo(descritor, conteudo);
    }
    if (::close(descritor) != 0 && codigo == 0) {
        codigo = errno;
    }
    if (codigo == 0 && ::rename(modelo.c_str(), arquivo.c_str()) != 0) {
        codigo = errno;
    }
    if (codigo != 0) {
        ::unlink(modelo.c_str());
        return codigo;
    }
    // The rename itself reaches the disk with the directory.
    const int diretorio = ::open(arquivo.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (diretorio >= 0) {
        ::fsync(diretorio);
        ::close(diretorio);
    }
    return 0;
}
#endif

}  // namespace

std::optional<std::string> Ler_Primeiro_Campo(const std::filesystem::path& arquivo) {
    QFile entrada(arquivo);
    if (!entrada.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray conteudo = entrada.readAll();
    if (conteudo.isEmpty()) {
        return std::nullopt;
    }
    const std::string linha = Primeira_Linha(conteudo);
    std::size_t inicio = 0;
    while (inicio < linha.size() && Branco(linha[inicio])) {
        ++inicio;
    }
    const std::size_t virgula = linha.find(',', inicio);
    return linha.substr(inicio,
                        virgula == std::string::npos ? std::string::npos : virgula - inicio);
}

std::optional<int> Numero_Porta(std::string_view campo) {
    if (campo.size() < 3) {
        return std::nullopt;
    }
    int numero = 0;
    if (!Inteiro_Par(Valor_Numerico(campo.substr(3)), numero)) {
        return std::nullopt;
    }
    return numero;
}

#ifdef Q_OS_WIN
bool Gravar_Configuracao(const std::filesystem::path& arquivo, std::string_view porta,
                         std::string& erro) {
    std::error_code falha;
    std::filesystem::create_directories(arquivo.parent_path(), falha);
    QSaveFile saida(QString::fromStdU16String(arquivo.u16string()));
    QByteArray linha(porta.data(), static_cast<qsizetype>(porta.size()));
    linha += "\r\n";
    if (!saida.open(QIODevice::WriteOnly) || saida.write(linha) != linha.size() ||
        !saida.commit()) {
        erro = saida.errorString().toStdString();
        return false;
    }
    return true;
}
#else
bool Gravar_Configuracao(const std::filesystem::path& arquivo, std::string_view porta,
                         std::string& erro) {
    std::error_code falha;
    if (arquivo.has_parent_path()) {
        std::filesystem::create_directories(arquivo.parent_path(), falha);
    }
    if (falha) {
        erro = Descricao_Erro_Sistema(falha.value());
        return false;
    }
    // A file the operator made read-only is not replaced behind the operator's back.
    if (::access(arquivo.c_str(), W_OK) != 0 && errno != ENOENT) {
        erro = Descricao_Erro_Sistema(errno);
        return false;
    }
    std::string linha(porta);
    linha += "\r\n";
    const int codigo = Substituir(arquivo, linha);
    if (codigo != 0) {
        erro = Descricao_Erro_Sistema(codigo);
        return false;
    }
    return true;
}
#endif

}  // namespace qx7
