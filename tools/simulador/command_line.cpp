#include "tools/simulador/command_line.h"

#include <getopt.h>

#include <string_view>
#include <utility>
#include <vector>

#include "gauge/numeric_text.h"
#include "link/digits.h"
#include "tools/simulador/settings.h"

namespace qx7::simulador {

namespace {

enum Codigo {
    Ajuda = 'h',
    Configuracao = 1000,
    Definir,
    Tanques,
    Endereco,
    Versao,
    Ofe,
    Tipo,
    Senha,
    Relogio_Inicial,
    Dispositivo,
    Diretorio,
    Com,
    Nak,
    Bcc_Errado,
    Silencio,
    Ruido,
    Fragmentar,
    Ritmo,
    Entrada,
};

const option opcoes_longas[] = {
    {"ajuda", no_argument, nullptr, Ajuda},
    {"configuracao", required_argument, nullptr, Configuracao},
    {"definir", required_argument, nullptr, Definir},
    {"tanques", required_argument, nullptr, Tanques},
    {"endereco", required_argument, nullptr, Endereco},
    {"versao", required_argument, nullptr, Versao},
    {"ofe", required_argument, nullptr, Ofe},
    {"tipo", required_argument, nullptr, Tipo},
    {"senha", required_argument, nullptr, Senha},
    {"relogio", required_argument, nullptr, Relogio_Inicial},
    {"dispositivo", required_argument, nullptr, Dispositivo},
    {"diretorio", required_argument, nullptr, Diretorio},
    {"com", required_argument, nullptr, Com},
    {"nak", required_argument, nullptr, Nak},
    {"bcc-errado", optional_argument, nullptr, Bcc_Errado},
    {"silencio", optional_argument, nullptr, Silencio},
    {"ruido", no_argument, nullptr, Ruido},
    {"fragmentar", optional_argument, nullptr, Fragmentar},
    {"ritmo", no_argument, nullptr, Ritmo},
    {"entrada", no_argument, nullptr, Entrada},
    {nullptr, 0, nullptr, 0},
};

// The settings-file key each shortcut option stands for.
const std::pair<int, const char*> atalhos[] = {
    {Tanques, "tanques"}, {Endereco, "endereco"}, {Versao, "versao"},           {Ofe, "ofe"},
    {Tipo, "tipo"},       {Senha, "senha"},       {Relogio_Inicial, "relogio"},
};

// A count 0..maximo; nothing when the text is not one.
std::optional<int> Contagem(std::string_view texto, int maximo) {
    if (!So_Digitos(texto) || texto.size() > 6) {
        return std::nullopt;
    }
    const int n = static_cast<int>(Valor_Numerico(texto));
    return n <= maximo ? std::optional<int>(n) : std::nullopt;
}

bool Contagem_Opcional(const char* argumento, int& destino, std::string_view nome,
                       std::string& erro) {
    if (argumento == nullptr) {
        destino = Sempre;
        return true;
    }
    const auto n = Contagem(argumento, 999999);
    if (!n) {
        erro = "valor inválido para --" + std::string(nome) + ": " + argumento;
        return false;
    }
    destino = *n;
    return true;
}

struct Leitura_Opcoes {
    Opcoes& opcoes;
    std::string& erro;
    std::optional<std::string> arquivo;
    std::vector<std::string> definicoes;

    bool Tratar(int codigo, const char* argumento);
    bool Falhas(int codigo, const char* argumento);
};

bool Leitura_Opcoes::Falhas(int codigo, const char* argumento) {
    auto& falhas = opcoes.config.falhas;
    switch (codigo) {
        case Nak: {
            const auto n = Contagem(argumento, 999999);
            if (!n) {
                erro = std::string("valor inválido para --nak: ") + argumento;
                return false;
            }
            falhas.nak_pedidos = *n;
            return true;
        }
        case Bcc_Errado:
            return Contagem_Opcional(argumento, falhas.bcc_errado, "bcc-errado", erro);
        case Silencio:
            return Contagem_Opcional(argumento, falhas.silencio, "silencio", erro);
        case Ruido:
            falhas.ruido = true;
            return true;
        case Fragmentar: {
            const auto ms = argumento ? Contagem(argumento, 10000) : std::optional<int>(5);
            if (!ms) {
                erro = std::string("valor inválido para --fragmentar: ") + argumento;
                return false;
            }
            falhas.fragmentar = std::chrono::milliseconds(*ms);
            return true;
        }
        case Ritmo:
            falhas.ritmo_linha = true;
            return true;
        default:
            return false;
    }
}

bool Leitura_Opcoes::Tratar(int codigo, const char* argumento) {
    for (const auto& [atalho, chave] : atalhos) {
        if (codigo == atalho) {
            definicoes.push_back(std::string(chave) + "=" + argumento);
            return true;
        }
    }
    switch (codigo) {
        case Ajuda:
            opcoes.ajuda = true;
            return true;
        case Configuracao:
            arquivo = argumento;
            return true;
        case Definir:
            definicoes.emplace_back(argumento);
            return true;
        case Dispositivo:
            opcoes.dispositivo = argumento;
            return true;
        case Diretorio:
            opcoes.diretorio = argumento;
            return true;
        case Entrada:
            opcoes.entrada = true;
            return true;
        case Com: {
            const auto n = Contagem(argumento, 255);
            if (!n || *n == 0) {
                erro = std::string("valor inválido para --com (1 a 255): ") + argumento;
                return false;
            }
            opcoes.com = *n;
            return true;
        }
        default:
            return Falhas(codigo, argumento);
    }
}

}  // namespace

bool Ler_Opcoes(int argc, char* const argv[], Opcoes& opcoes, std::string& erro) {
    Leitura_Opcoes leitura{opcoes, erro, {}, {}};
    optind = 0;  // a fresh scan, also when called more than once
    opterr = 0;
    int codigo = 0;
    while ((codigo = getopt_long(argc, argv, "+:h", opcoes_longas, nullptr)) != -1) {
        const std::string nome = argv[optind - 1];
        if (codigo == '?') {
            erro = "opção desconhecida: " + nome;
            return false;
        }
        if (codigo == ':') {
            erro = "falta o valor da opção " + nome;
            return false;
        }
        if (!leitura.Tratar(codigo, optarg)) {
            return false;
        }
    }
    if (optind < argc) {
        erro = std::string("argumento inesperado: ") + argv[optind];
        return false;
    }
    if (opcoes.dispositivo && (opcoes.diretorio || opcoes.com)) {
        erro = "--diretorio e --com valem só para o pseudo-terminal, não com --dispositivo";
        return false;
    }
    auto& medidor = opcoes.config.medidor;
    if (leitura.arquivo && !Ler_Arquivo_Configuracao(medidor, *leitura.arquivo, erro)) {
        return false;
    }
    for (const auto& definicao : leitura.definicoes) {
        if (!Aplicar_Definicao(medidor, definicao, erro)) {
            return false;
        }
    }
    return true;
}

std::string Texto_Ajuda() {
    return R"(Uso: simulador-qx7 [opções]
Simula um medidor QX7/QXV7 numa linha serial: num pseudo-terminal (padrão) ou numa porta real.

Linha:
  --dispositivo CAMINHO   usa a porta real CAMINHO (9600,N,8,1) em vez de um pseudo-terminal
  --diretorio DIR         cria o link COMn em DIR (padrão: o diretório base do programa)
  --com N                 número do link COMn (padrão: 1)

Medidor:
  --configuracao ARQ      lê as definições do arquivo ARQ (linhas "chave = valor")
  --definir CHAVE=VALOR   uma definição, como no arquivo (por exemplo tanque.3.medido=12000)
  --tanques N             número de tanques, 1 a 16 (padrão: 6)
  --endereco XXX          endereço do medidor (padrão: A01; outro endereço não recebe "CF")
  --versao VV             versão (padrão: 21)
  --ofe NNNNNN            número OFE (padrão: 004711)
  --tipo posto|industrial tipo do medidor (padrão: posto)
  --senha SENHA           senha aceita no pedido "CF" (padrão: qx7)
  --relogio "DDMMAA HHMMSS"  hora inicial do relógio do medidor (padrão: a do sistema)
  --entrada               lê definições da entrada padrão enquanto simula, uma por linha, como
                          --definir (por exemplo tanque.1.medido=27000: o tanque passa a esse
                          nível e segue a deriva dali)

Falhas:
  --nak N                 responde NAK aos próximos N pedidos
  --bcc-errado[=N]        envia as próximas N respostas com BCC errado (sem N: todas)
  --silencio[=N]          ignora os próximos N pedidos (sem N: todos)
  --ruido                 bytes de ruído antes de cada envio
  --fragmentar[=MS]       envia um byte por vez, MS milissegundos entre eles (padrão: 5)
  --ritmo                 envia no ritmo da linha de 9600 baud (960 bytes por segundo)

Chaves do arquivo: tanques, endereco, versao, ofe, tipo, senha, relogio,
  tanque.N.produto|densidade|capacidade|medido|complementar|unidade (V ou P)|deriva,
  programada = DDMMAA HHMMSS tanque volume (repetível), programadas = nenhuma.
)";
}

}  // namespace qx7::simulador
