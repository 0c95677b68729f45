#include "tools/simulador/settings.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "gauge/fields.h"
#include "gauge/numeric_text.h"
#include "link/codepage.h"
#include "link/digits.h"
#include "tools/simulador/civil_time.h"

namespace qx7::simulador {

namespace {

// A whole number within [minimo, maximo], digits only, with a sign where negatives are allowed.
std::optional<long> Inteiro(std::string_view texto, long minimo, long maximo) {
    const auto digitos = texto.substr(!texto.empty() && texto.front() == '-' && minimo < 0);
    if (!So_Digitos(digitos) || digitos.size() > 9) {
        return std::nullopt;
    }
    const auto valor = static_cast<long>(Valor_Numerico(texto));
    if (valor < minimo || valor > maximo) {
        return std::nullopt;
    }
    return valor;
}

// A decimal number: optional minus sign, digits, optionally "." and more digits.
std::optional<double> Decimal(std::string_view texto) {
    const auto corpo = texto.substr(!texto.empty() && texto.front() == '-');
    const auto ponto = corpo.find('.');
    const auto inteira = corpo.substr(0, ponto);
    const auto fracao =
        ponto == std::string_view::npos ? std::string_view() : corpo.substr(ponto + 1);
    if (!So_Digitos(inteira) || (ponto != std::string_view::npos && !So_Digitos(fracao))) {
        return std::nullopt;
    }
    return Valor_Numerico(texto);
}

std::vector<std::string_view> Palavras(std::string_view texto) {
    std::vector<std::string_view> palavras;
    while (true) {
        const auto inicio = texto.find_first_not_of(" \t");
        if (inicio == std::string_view::npos) {
            return palavras;
        }
        texto.remove_prefix(inicio);
        const auto fim = std::min(texto.find_first_of(" \t"), texto.size());
        palavras.push_back(texto.substr(0, fim));
        texto.remove_prefix(fim);
    }
}

bool Falhar(std::string& erro, std::string_view chave, std::string_view esperado) {
    erro =
        "valor inválido para " + std::string(chave) + " (esperado: " + std::string(esperado) + ")";
    return false;
}

bool Texto_Fixo(std::string& destino, std::string_view valor, std::size_t tamanho,
                std::string_view chave, std::string& erro) {
    if (valor.size() != tamanho) {
        return Falhar(erro, chave, std::to_string(tamanho) + " caracteres");
    }
    destino = valor;
    return true;
}

bool Programada(Config_Medidor& medidor, std::string_view valor, std::string& erro) {
    const auto palavras = Palavras(valor);
    const auto tanque =
        palavras.size() == 4 ? Inteiro(palavras[2], 1, Maximo_Tanques) : std::nullopt;
    const auto volume = palavras.size() == 4 ? Inteiro(palavras[3], 0, 999999) : std::nullopt;
    if (!tanque || !volume || !Ler_Data_Hora(palavras[0], palavras[1])) {
        return Falhar(erro, "programada", "DDMMAA HHMMSS tanque volume");
    }
    if (medidor.programadas_padrao) {
        medidor.programadas.clear();  // the first record given replaces the generated ones
        medidor.programadas_padrao = false;
    }
    medidor.programadas.push_back({std::string(palavras[0]), std::string(palavras[1]),
                                   static_cast<int>(*tanque), static_cast<int>(*volume)});
    return true;
}

bool Campo_Tanque(Tanque_Config& tanque, std::string_view campo, std::string_view chave,
                  std::string_view valor, std::string& erro) {
    if (campo == "produto") {
        return Texto_Fixo(tanque.produto, valor, 2, chave, erro);
    }
    if (campo == "unidade") {
        if (valor != "V" && valor != "P") {
            return Falhar(erro, chave, "V ou P");
        }
        tanque.peso = valor == "P";
        return true;
    }
    if (campo == "deriva") {
        const auto deriva = Decimal(valor);
        if (!deriva) {
            return Falhar(erro, chave, "número, unidades por minuto");
        }
        tanque.deriva = *deriva;
        return true;
    }
    const long maximo = campo == "densidade" ? 9999 : 999999;
    const auto numero = Inteiro(valor, 0, maximo);
    if (campo != "densidade" && campo != "capacidade" && campo != "medido" &&
        campo != "complementar") {
        erro = "chave desconhecida: " + std::string(chave);
        return false;
    }
    if (!numero) {
        return Falhar(erro, chave, "inteiro de 0 a " + std::to_string(maximo));
    }
    const int n = static_cast<int>(*numero);
    if (campo == "densidade") {
        tanque.densidade = n;
    } else if (campo == "capacidade") {
        tanque.capacidade = n;
    } else if (campo == "medido") {
        tanque.medido = n;
    } else {
        tanque.complementar = n;
    }
    return true;
}

// "tanque.N.campo".
bool Definicao_Tanque(Config_Medidor& medidor, std::string_view chave, std::string_view valor,
                      std::string& erro) {
    const auto resto = chave.substr(std::string_view("tanque.").size());
    const auto ponto = resto.find('.');
    const auto numero = Inteiro(resto.substr(0, ponto), 1, Maximo_Tanques);
    if (ponto == std::string_view::npos || !numero) {
        erro = "chave desconhecida: " + std::string(chave) + " (use tanque.N.campo, N de 1 a 16)";
        return false;
    }
    auto& tanque = medidor.tanques[static_cast<std::size_t>(*numero - 1)];
    return Campo_Tanque(tanque, resto.substr(ponto + 1), chave, valor, erro);
}

}  // namespace

bool Aplicar_Definicao(Config_Medidor& medidor, std::string_view chave, std::string_view valor,
                       std::string& erro) {
    if (chave == "tanques") {
        const auto n = Inteiro(valor, 1, Maximo_Tanques);
        if (!n) {
            return Falhar(erro, chave, "inteiro de 1 a 16");
        }
        medidor.numero_tanques = static_cast<int>(*n);
        return true;
    }
    if (chave == "endereco") {
        return Texto_Fixo(medidor.endereco, valor, 3, chave, erro);
    }
    if (chave == "versao") {
        return Texto_Fixo(medidor.versao, valor, 2, chave, erro);
    }
    if (chave == "ofe") {
        if (valor.size() != 6 || !So_Digitos(valor)) {
            return Falhar(erro, chave, "6 dígitos");
        }
        medidor.ofe = valor;
        return true;
    }
    if (chave == "tipo") {
        if (valor != "posto" && valor != "industrial") {
            return Falhar(erro, chave, "posto ou industrial");
        }
        medidor.posto = valor == "posto";
        return true;
    }
    if (chave == "senha") {
        if (valor.empty()) {
            return Falhar(erro, chave, "texto não vazio");
        }
        medidor.senha = cp1252(valor);  // the program sends it in the line's code page
        return true;
    }
    if (chave == "relogio") {
        const auto palavras = Palavras(valor);
        const auto inicio =
            palavras.size() == 2 ? Ler_Data_Hora(palavras[0], palavras[1]) : std::nullopt;
        if (!inicio) {
            return Falhar(erro, chave, "DDMMAA HHMMSS");
        }
        medidor.relogio_inicial = inicio;
        return true;
    }
    if (chave == "programada") {
        return Programada(medidor, valor, erro);
    }
    if (chave == "programadas") {
        if (valor != "nenhuma") {
            return Falhar(erro, chave, "nenhuma");
        }
        medidor.programadas.clear();
        medidor.programadas_padrao = false;
        return true;
    }
    if (chave.starts_with("tanque.")) {
        return Definicao_Tanque(medidor, chave, valor, erro);
    }
    erro = "chave desconhecida: " + std::string(chave);
    return false;
}

bool Aplicar_Definicao(Config_Medidor& medidor, std::string_view definicao, std::string& erro) {
    const auto igual = definicao.find('=');
    if (igual == std::string_view::npos) {
        erro = "definição sem '=': " + std::string(definicao);
        return false;
    }
    return Aplicar_Definicao(medidor, Sem_Brancos(definicao.substr(0, igual)),
                             Sem_Brancos(definicao.substr(igual + 1)), erro);
}

bool Ler_Configuracao(Config_Medidor& medidor, std::string_view texto, std::string& erro) {
    int numero = 0;
    while (!texto.empty()) {
        const auto fim = std::min(texto.find('\n'), texto.size());
        auto linha = texto.substr(0, fim);
        texto.remove_prefix(std::min(fim + 1, texto.size()));
        ++numero;
        if (!linha.empty() && linha.back() == '\r') {
            linha.remove_suffix(1);
        }
        linha = Sem_Brancos(linha);
        if (linha.empty() || linha.front() == '#') {
            continue;
        }
        if (!Aplicar_Definicao(medidor, linha, erro)) {
            erro = "linha " + std::to_string(numero) + ": " + erro;
            return false;
        }
    }
    return true;
}

bool Ler_Arquivo_Configuracao(Config_Medidor& medidor, const std::filesystem::path& arquivo,
                              std::string& erro) {
    std::ifstream entrada(arquivo, std::ios::binary);
    if (std::filesystem::is_directory(arquivo)) {
        erro = "não foi possível ler o arquivo " + arquivo.string() + ": é um diretório";
        return false;
    }
    if (!entrada) {
        erro = "não foi possível ler o arquivo " + arquivo.string() + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream texto;
    texto << entrada.rdbuf();
    if (!Ler_Configuracao(medidor, texto.str(), erro)) {
        erro = arquivo.string() + ", " + erro;
        return false;
    }
    return true;
}

}  // namespace qx7::simulador
