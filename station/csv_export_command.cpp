#include "station/csv_export_command.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <limits>
#include <ostream>
#include <string_view>

#include "history/connection.h"
#include "history/readings_csv.h"
#include "station/history_wiring.h"

namespace qx7 {

namespace {

const QString Opcao_Exportar = QStringLiteral("--exportar-csv");
const QString Uso = QStringLiteral(
    "uso: comunicacao-qx7 --exportar-csv ARQUIVO [--de AAAA-MM-DD] [--ate AAAA-MM-DD] "
    "[--tanque N]");

std::optional<QDate> Data(const QString& texto) {
    const QDate data = QDate::fromString(texto, QStringLiteral("yyyy-MM-dd"));
    return data.isValid() ? std::optional(data) : std::nullopt;
}

qint64 Inicio_Do_Dia(QDate data) {
    return data.startOfDay().toMSecsSinceEpoch();
}

// One option and its value; false and `erro` filled when the value is missing or wrong.
bool Ler_Opcao(const QString& opcao, const QString& valor, Pedido_Exportacao& pedido,
               std::optional<QDate>& de, std::optional<QDate>& ate, QString& erro) {
    if (opcao == Opcao_Exportar) {
        pedido.destino = valor;
        return true;
    }
    if (opcao == QStringLiteral("--de") || opcao == QStringLiteral("--ate")) {
        const std::optional<QDate> data = Data(valor);
        if (!data) {
            erro = QStringLiteral("data inválida em %1: \"%2\" (use AAAA-MM-DD)").arg(opcao, valor);
            return false;
        }
        (opcao == QStringLiteral("--de") ? de : ate) = data;
        return true;
    }
    if (opcao == QStringLiteral("--tanque")) {
        bool ok = false;
        const int tanque = valor.toInt(&ok);
        if (!ok || tanque < 1 || tanque > 16) {
            erro = QStringLiteral("tanque inválido: \"%1\" (de 1 a 16)").arg(valor);
            return false;
        }
        pedido.filtro.tanques.push_back(tanque);
        return true;
    }
    erro = QStringLiteral("opção desconhecida: %1").arg(opcao);
    return false;
}

}  // namespace

bool Pede_Exportacao(int argc, const char* const* argv) {
    return std::any_of(argv + std::min(argc, 1), argv + argc,
                       [](const char* a) { return std::string_view(a) == "--exportar-csv"; });
}

std::optional<Pedido_Exportacao> Ler_Pedido_Exportacao(const QStringList& argumentos,
                                                       QString& erro) {
    Pedido_Exportacao pedido;
    std::optional<QDate> de;
    std::optional<QDate> ate;
    for (qsizetype i = 0; i < argumentos.size(); i += 2) {
        const QString& opcao = argumentos[i];
        if (i + 1 >= argumentos.size() || argumentos[i + 1].startsWith(QStringLiteral("--"))) {
            erro = QStringLiteral("falta o valor de %1").arg(opcao);
            return std::nullopt;
        }
        if (!Ler_Opcao(opcao, argumentos[i + 1], pedido, de, ate, erro)) {
            return std::nullopt;
        }
    }
    if (pedido.destino.isEmpty()) {
        erro = QStringLiteral("falta o arquivo de destino");
        return std::nullopt;
    }
    if (de && ate && *de > *ate) {
        erro = QStringLiteral("a data de --de é posterior à de --ate");
        return std::nullopt;
    }
    pedido.filtro.de_ms = de ? Inicio_Do_Dia(*de) : 0;
    pedido.filtro.ate_ms =
        ate ? Inicio_Do_Dia(ate->addDays(1)) : std::numeric_limits<qint64>::max();
    return pedido;
}

int Executar_Exportacao(const QStringList& argumentos, const std::filesystem::path& diretorio_base,
                        std::ostream& saida, std::ostream& erros) {
    QString erro;
    const std::optional<Pedido_Exportacao> pedido = Ler_Pedido_Exportacao(argumentos, erro);
    if (!pedido) {
        erros << "comunicacao-qx7: " << erro.toStdString() << '\n' << Uso.toStdString() << '\n';
        return Saida_Argumentos_Invalidos;
    }
    Conexao_Historico conexao(Arquivo_No_Diretorio(diretorio_base, Arquivo_Historico),
                              Modo_Conexao::Leitura);
    if (!conexao.Aberta()) {
        erros << "comunicacao-qx7: não foi possível abrir o histórico: "
              << conexao.Erro().toStdString() << '\n';
        return Saida_Falha_Exportacao;
    }
    if (!Exportar_Leituras_Csv(conexao.Banco(), pedido->filtro, pedido->destino, QLocale(), erro)) {
        erros << "comunicacao-qx7: " << erro.toStdString() << '\n';
        return Saida_Falha_Exportacao;
    }
    saida << "Leituras exportadas para " << pedido->destino.toStdString() << '\n';
    return 0;
}

}  // namespace qx7
