#include "station/csv_export_command.h"

#include <QDate>
#include <QFile>
#include <algorithm>
#include <limits>
#include <ostream>
#include <system_error>

#include "history/reader.h"
#include "history/readings_csv.h"
#include "station/history_wiring.h"

namespace qx7 {

namespace {

constexpr int Maior_Tanque = 16;
// SQLite's files beside a database.
constexpr const char* Sufixos_Sqlite[] = {"", "-wal", "-shm", "-journal"};

struct Leitura_Opcoes {
    Pedido_Exportacao pedido;
    std::optional<QDate> de, ate;
};

std::optional<QDate> Data(const QString& texto) {
    const QDate data = QDate::fromString(texto, QStringLiteral("yyyy-MM-dd"));
    return data.isValid() ? std::optional(data) : std::nullopt;
}

qint64 Inicio_Do_Dia(QDate data) {
    return data.startOfDay().toMSecsSinceEpoch();
}

bool Ler_Data(const Opcao_Lida& o, std::optional<QDate>& data, QString& erro) {
    data = Data(o.valor);
    if (!data) {
        erro = QStringLiteral("data inválida em %1: \"%2\" (use AAAA-MM-DD)").arg(o.nome, o.valor);
    }
    return data.has_value();
}

bool Ler_Tanque(const QString& valor, std::vector<int>& tanques, QString& erro) {
    bool ok = false;
    const int tanque = valor.toInt(&ok);
    if (!ok || tanque < 1 || tanque > Maior_Tanque) {
        erro = QStringLiteral("tanque inválido: \"%1\" (de 1 a %2)").arg(valor).arg(Maior_Tanque);
        return false;
    }
    tanques.push_back(tanque);
    return true;
}

bool Ler_Forma(const QString& valor, Forma_Exportacao& forma, QString& erro) {
    if (valor == QLatin1String("planilha")) {
        forma = Forma_Exportacao::Planilha;
    } else if (valor == QLatin1String("maquina") || valor == QStringLiteral("máquina")) {
        forma = Forma_Exportacao::Maquina;
    } else {
        erro = QStringLiteral("formato desconhecido: \"%1\" (planilha ou maquina)").arg(valor);
        return false;
    }
    return true;
}

// One option; false and `erro` filled when its value is wrong.
bool Ler_Opcao(const Opcao_Lida& o, Leitura_Opcoes& l, QString& erro) {
    if (o.nome == QLatin1String("--exportar-csv")) {
        l.pedido.destino = o.valor;
    } else if (o.nome == QLatin1String("--de")) {
        return Ler_Data(o, l.de, erro);
    } else if (o.nome == QLatin1String("--ate")) {
        return Ler_Data(o, l.ate, erro);
    } else if (o.nome == QLatin1String("--tanque")) {
        return Ler_Tanque(o.valor, l.pedido.filtro.tanques, erro);
    } else if (o.nome == QLatin1String("--formato")) {
        return Ler_Forma(o.valor, l.pedido.forma, erro);
    } else if (o.valor.isEmpty()) {  // --historico
        erro = QStringLiteral("falta o valor de %1").arg(o.nome);
        return false;
    } else {
        l.pedido.historico = o.valor;
    }
    return true;
}

std::filesystem::path Caminho(const QString& arquivo) {
    return QFile::encodeName(arquivo).toStdString();
}

// Absolute, links resolved as far as the path exists; none when it cannot be worked out.
std::optional<std::filesystem::path> Normal(const std::filesystem::path& caminho) {
    std::error_code erro;
    std::filesystem::path normal =
        std::filesystem::weakly_canonical(std::filesystem::absolute(caminho, erro), erro);
    return erro ? std::nullopt : std::optional(std::move(normal));
}

// The same file by another name (a link, a hard link, a relative path), or the name it would
// have.
bool Mesmo_Arquivo(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code erro;
    if (std::filesystem::equivalent(a, b, erro)) {
        return true;
    }
    const auto normal_a = Normal(a);
    const auto normal_b = Normal(b);
    return normal_a && normal_b && *normal_a == *normal_b;
}

QString Historico_Lido(const Pedido_Exportacao& pedido, const std::filesystem::path& base) {
    return pedido.historico.isEmpty() ? Arquivo_No_Diretorio(base, Arquivo_Historico)
                                      : pedido.historico;
}

void Escrever(std::ostream& saida, const QString& texto) {
    saida << "comunicacao-qx7: " << texto.toStdString() << '\n';
}

}  // namespace

std::optional<Pedido_Exportacao> Ler_Pedido_Exportacao(const std::vector<Opcao_Lida>& opcoes,
                                                       QString& erro) {
    Leitura_Opcoes l;
    for (const Opcao_Lida& o : opcoes) {
        if (!Ler_Opcao(o, l, erro)) {
            return std::nullopt;
        }
    }
    if (l.de && l.ate && *l.de > *l.ate) {
        erro = QStringLiteral("a data de --de é posterior à de --ate");
        return std::nullopt;
    }
    l.pedido.filtro.de_ms = l.de ? Inicio_Do_Dia(*l.de) : 0;
    l.pedido.filtro.ate_ms =
        l.ate ? Inicio_Do_Dia(l.ate->addDays(1)) : std::numeric_limits<qint64>::max();
    return l.pedido;
}

bool Arquivo_Do_Historico(const QString& destino, const QString& historico) {
    return std::any_of(
        std::begin(Sufixos_Sqlite), std::end(Sufixos_Sqlite), [&](const char* sufixo) {
            return Mesmo_Arquivo(Caminho(destino), Caminho(historico + QLatin1String(sufixo)));
        });
}

int Executar_Exportacao(const Pedido_Exportacao& pedido,
                        const std::filesystem::path& diretorio_base, const QLocale& local,
                        std::ostream& saida, std::ostream& erros) {
    const QString arquivo = Historico_Lido(pedido, diretorio_base);
    const QString do_programa = Arquivo_No_Diretorio(diretorio_base, Arquivo_Historico);
    if (Arquivo_Do_Historico(pedido.destino, arquivo) ||
        Arquivo_Do_Historico(pedido.destino, do_programa)) {
        Escrever(erros, QStringLiteral("o destino %1 é um arquivo do histórico; escolha outro")
                            .arg(pedido.destino));
        return Saida_Argumentos_Invalidos;
    }
    Leitor_Historico leitor(arquivo);
    if (!leitor.Aberto()) {
        Escrever(erros,
                 QStringLiteral("não foi possível abrir o histórico: %1").arg(leitor.Erro()));
        return Saida_Falha_Exportacao;
    }
    QString erro;
    const std::optional<qint64> linhas = Exportar_Leituras_Csv(
        leitor.Banco(), pedido.filtro, pedido.destino,
        pedido.forma == Forma_Exportacao::Maquina ? Formato_Maquina() : Formato_Planilha(local),
        erro);
    if (!linhas) {
        Escrever(erros, erro);
        return Saida_Falha_Exportacao;
    }
    saida << *linhas << (*linhas == 1 ? " leitura exportada para " : " leituras exportadas para ")
          << pedido.destino.toStdString() << '\n';
    return *linhas == 0 ? Saida_Periodo_Vazio : 0;
}

}  // namespace qx7
