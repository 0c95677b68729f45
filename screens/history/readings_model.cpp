#include "screens/history/readings_model.h"

#include <algorithm>
#include <array>
#include <functional>

#include "history/connection.h"
#include "screens/history/table_cells.h"

namespace qx7 {

namespace {

struct Coluna_Leitura {
    const char* titulo;
    std::function<QString(const Leitura_Historico&)> texto;
    bool numero = false;
};

QString Texto_Unidade(const QString& unidade) {
    return unidade == QLatin1String("P") ? QStringLiteral("Peso") : QStringLiteral("Volume");
}

const std::array<Coluna_Leitura, 13>& Colunas() {
    static const std::array<Coluna_Leitura, 13> colunas = {{
        {"Data e hora", [](const auto& l) { return Texto_Instante(l.instante_ms); }},
        {"Tanque", [](const auto& l) { return QString::number(l.tanque); }, true},
        {"Produto", [](const auto& l) { return l.produto; }},
        {"Medido", [](const auto& l) { return Texto_Numero(l.medido); }, true},
        {"Complementar", [](const auto& l) { return Texto_Numero(l.complementar); }, true},
        {"Capacidade", [](const auto& l) { return Texto_Numero(l.capacidade); }, true},
        {"Unidade", [](const auto& l) { return Texto_Unidade(l.unidade); }},
        {"Percentual",
         [](const auto& l) {
             return l.percentual ? Texto_Numero(*l.percentual) + QStringLiteral(" %") : QString();
         },
         true},
        {"Densidade", [](const auto& l) { return Texto_Numero(l.densidade); }, true},
        {"Comando", [](const auto& l) { return l.comando; }},
        {"Endereço", [](const auto& l) { return l.endereco; }},
        {"Hora do medidor", [](const auto& l) { return l.texto_hora; }},
        {"Data do medidor", [](const auto& l) { return l.texto_data; }},
    }};
    return colunas;
}

}  // namespace

Modelo_Leituras::Modelo_Leituras(QString arquivo, QObject* parent)
    : QAbstractTableModel(parent), arquivo_(std::move(arquivo)) {}

void Modelo_Leituras::Definir_Filtro(QSqlDatabase& banco, const Filtro_Leituras& filtro) {
    beginResetModel();
    percurso_ = Percurso_Leituras(filtro, Tamanho_Pagina);
    total_ = Contar_Leituras(banco, filtro);
    linhas_.clear();
    endResetModel();
    Ler_Pagina(banco);
}

void Modelo_Leituras::Limpar() {
    beginResetModel();
    total_ = 0;
    linhas_.clear();
    endResetModel();
}

int Modelo_Leituras::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int Modelo_Leituras::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(Colunas().size());
}

QVariant Modelo_Leituras::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= rowCount()) {
        return {};
    }
    const Coluna_Leitura& coluna = Colunas()[static_cast<std::size_t>(indice.column())];
    if (papel == Qt::DisplayRole) {
        return coluna.texto(linhas_[static_cast<std::size_t>(indice.row())]);
    }
    if (papel == Qt::TextAlignmentRole && coluna.numero) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    }
    return {};
}

QVariant Modelo_Leituras::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole || secao < 0 ||
        secao >= columnCount()) {
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    }
    return QString::fromUtf8(Colunas()[static_cast<std::size_t>(secao)].titulo);
}

bool Modelo_Leituras::canFetchMore(const QModelIndex& pai) const {
    return !pai.isValid() && static_cast<qint64>(linhas_.size()) < total_;
}

void Modelo_Leituras::fetchMore(const QModelIndex& pai) {
    if (!canFetchMore(pai)) {
        return;
    }
    Conexao_Historico conexao(arquivo_, Modo_Conexao::Leitura);
    if (conexao.Aberta()) {
        Ler_Pagina(conexao.Banco());
    }
}

void Modelo_Leituras::Ler_Pagina(QSqlDatabase& banco) {
    const auto inicio = static_cast<qint64>(linhas_.size());
    if (inicio >= total_) {
        return;
    }
    std::vector<Leitura_Historico> pagina = percurso_.Proxima(banco);
    if (pagina.empty()) {
        // The file lost rows since they were counted: nothing more to fetch.
        total_ = inicio;
        return;
    }
    beginInsertRows({}, static_cast<int>(inicio),
                    static_cast<int>(inicio + std::ssize(pagina)) - 1);
    std::move(pagina.begin(), pagina.end(), std::back_inserter(linhas_));
    endInsertRows();
}

}  // namespace qx7
