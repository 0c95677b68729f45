#include "app/config_file.h"

#include <QFile>

#include "app/codepage.h"
#include "gauge/numeric_text.h"

namespace qx7 {

namespace {

bool Branco(char c) {
    return c == ' ' || c == '\t';
}

std::string Primeira_Linha(const QByteArray& conteudo) {
    const std::string_view texto(conteudo.constData(), static_cast<std::size_t>(conteudo.size()));
    return std::string(texto.substr(0, texto.find_first_of("\r\n")));
}

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

bool Gravar_Configuracao(const std::filesystem::path& arquivo, std::string_view porta,
                         std::string& erro) {
    QFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        erro = Para_1252(saida.errorString());
        return false;
    }
    QByteArray linha(porta.data(), static_cast<qsizetype>(porta.size()));
    linha += "\r\n";
    if (saida.write(linha) != linha.size() || !saida.flush()) {
        erro = Para_1252(saida.errorString());
        return false;
    }
    saida.close();
    return true;
}

}  // namespace qx7
