#include "app/program_options.h"

#include <algorithm>
#include <array>

namespace qx7 {

namespace {

// Whether an option takes the word after it.
enum class Valor { Obrigatorio, Opcional, Nenhum };

struct Opcao {
    const char* nome;
    Valor valor;
    Modo_Programa modo;  // the mode it belongs to
    bool repetivel = false;
};

constexpr std::array Opcoes = {
    Opcao{"--exportar-csv", Valor::Obrigatorio, Modo_Programa::Exportacao},
    Opcao{"--de", Valor::Obrigatorio, Modo_Programa::Exportacao},
    Opcao{"--ate", Valor::Obrigatorio, Modo_Programa::Exportacao},
    Opcao{"--tanque", Valor::Obrigatorio, Modo_Programa::Exportacao, true},
    Opcao{"--formato", Valor::Obrigatorio, Modo_Programa::Exportacao},
    // With the export, the file it reads; alone, the history window over the file given or
    // the base directory's.
    Opcao{"--historico", Valor::Opcional, Modo_Programa::Historico},
    // The station without a window, for systemd; nothing else goes with it.
    Opcao{"--servico", Valor::Nenhum, Modo_Programa::Servico},
};

const Opcao* Procurar(const QString& nome) {
    const auto o = std::find_if(Opcoes.begin(), Opcoes.end(), [&nome](const Opcao& opcao) {
        return nome == QLatin1String(opcao.nome);
    });
    return o == Opcoes.end() ? nullptr : &*o;
}

bool Opcao_Nossa(const QString& argumento) {
    return argumento.startsWith(QStringLiteral("--"));
}

// Qt's options have one dash ("-platform offscreen", "-style fusion").
bool Opcao_Do_Qt(const QString& argumento) {
    return argumento.size() > 1 && argumento.startsWith(QLatin1Char('-')) &&
           !Opcao_Nossa(argumento);
}

bool Palavra(const QStringList& argumentos, qsizetype i) {
    return i < argumentos.size() && !argumentos[i].startsWith(QLatin1Char('-'));
}

// Reads the option at `i` (and its value), moving `i` past it.
bool Ler_Opcao(const QStringList& argumentos, qsizetype& i, std::vector<Opcao_Lida>& lidas,
               QString& erro) {
    const QString& nome = argumentos[i++];
    if (nome.contains(QLatin1Char('='))) {
        erro = QStringLiteral("use \"%1 %2\", sem \"=\"")
                   .arg(nome.section(QLatin1Char('='), 0, 0), nome.section(QLatin1Char('='), 1));
        return false;
    }
    const Opcao* opcao = Procurar(nome);
    if (opcao == nullptr) {
        erro = QStringLiteral("opção desconhecida: %1").arg(nome);
        return false;
    }
    const bool repetida = std::any_of(lidas.begin(), lidas.end(),
                                      [&nome](const Opcao_Lida& o) { return o.nome == nome; });
    if (repetida && !opcao->repetivel) {
        erro = QStringLiteral("%1 dada mais de uma vez").arg(nome);
        return false;
    }
    Opcao_Lida lida{nome, {}};
    if (opcao->valor != Valor::Nenhum && Palavra(argumentos, i)) {
        lida.valor = argumentos[i++];
    } else if (opcao->valor == Valor::Obrigatorio) {
        erro = QStringLiteral("falta o valor de %1").arg(nome);
        return false;
    }
    lidas.push_back(lida);
    return true;
}

// The export's options need it; the history window takes only --historico; the service takes
// nothing else.
bool Decidir_Modo(Linha_Comando& linha, QString& erro) {
    const auto tem = [&linha](const char* nome) {
        return std::any_of(linha.opcoes.begin(), linha.opcoes.end(),
                           [nome](const Opcao_Lida& o) { return o.nome == QLatin1String(nome); });
    };
    if (tem("--servico")) {
        linha.modo = Modo_Programa::Servico;
        if (linha.opcoes.size() > 1) {
            erro = QStringLiteral("--servico não aceita outras opções");
            return false;
        }
        return true;
    }
    linha.modo = tem("--exportar-csv") ? Modo_Programa::Exportacao
                 : tem("--historico")  ? Modo_Programa::Historico
                                       : Modo_Programa::Janela;
    for (const Opcao_Lida& lida : linha.opcoes) {
        if (linha.modo != Modo_Programa::Exportacao &&
            Procurar(lida.nome)->modo == Modo_Programa::Exportacao) {
            erro = QStringLiteral("%1 só vale com --exportar-csv").arg(lida.nome);
            return false;
        }
    }
    return true;
}

}  // namespace

QString Uso_Programa() {
    return QStringLiteral(
        "uso: comunicacao-qx7 [opções do Qt]\n"
        "     comunicacao-qx7 --servico\n"
        "     comunicacao-qx7 --historico [ARQUIVO]\n"
        "     comunicacao-qx7 --exportar-csv ARQUIVO [--de AAAA-MM-DD] [--ate AAAA-MM-DD] "
        "[--tanque N]... [--formato planilha|maquina] [--historico ARQUIVO]");
}

std::optional<Linha_Comando> Ler_Linha_Comando(const QStringList& argumentos, QString& erro) {
    Linha_Comando linha;
    for (qsizetype i = 0; i < argumentos.size();) {
        const QString& argumento = argumentos[i];
        if (Opcao_Nossa(argumento)) {
            if (!Ler_Opcao(argumentos, i, linha.opcoes, erro)) {
                return std::nullopt;
            }
        } else if (Opcao_Do_Qt(argumento)) {
            // Left to Qt with the word after it, its value if it takes one.
            i += Palavra(argumentos, i + 1) ? 2 : 1;
        } else {
            erro = QStringLiteral("argumento inesperado: %1").arg(argumento);
            return std::nullopt;
        }
    }
    if (!Decidir_Modo(linha, erro)) {
        return std::nullopt;
    }
    return linha;
}

}  // namespace qx7
