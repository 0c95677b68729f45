#include "screens/history/readings_model.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <array>
#include <functional>
#include <limits>

#include "history/reader.h"
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

// A value the gauge sent as something other than a number shows as nothing, not as 0.
QString Texto_Valor(const std::optional<double>& valor) {
    return valor ? Texto_Numero(*valor) : QString();
}

const std::array<Coluna_Leitura, 13>& Colunas() {
    static const std::array<Coluna_Leitura, 13> colunas = {{
        {"Data e hora", [](const auto& l) { return Texto_Instante(l.instante_ms); }},
        {"Tanque", [](const auto& l) { return QString::number(l.tanque); }, true},
        {"Produto", [](const auto& l) { return l.produto; }},
        {"Medido", [](const auto& l) { return Texto_Valor(l.medido); }, true},
        {"Complementar", [](const auto& l) { return Texto_Valor(l.complementar); }, true},
        {"Capacidade", [](const auto& l) { return Texto_Valor(l.capacidade); }, true},
        {"Unidade", [](const auto& l) { return Texto_Unidade(l.unidade); }},
        {"Percentual",
         [](const auto& l) {
             return l.percentual ? Texto_Numero(*l.percentual) + QStringLiteral(" %") : QString();
         },
         true},
        {"Densidade", [](const auto& l) { return Texto_Valor(l.densidade); }, true},
        {"Comando", [](const auto& l) { return l.comando; }},
        {"Endereço", [](const auto& l) { return l.endereco; }},
        {"Hora do medidor", [](const auto& l) { return l.texto_hora; }},
        {"Data do medidor", [](const auto& l) { return l.texto_data; }},
    }};
    return colunas;
}

}  // namespace

QStringList Titulos_Leituras() {
    QStringList titulos;
    for (const Coluna_Leitura& coluna : Colunas()) {
        titulos << QString::fromUtf8(coluna.titulo);
    }
    return titulos;
}

QStringList Textos_Leitura(const Leitura_Historico& leitura) {
    QStringList textos;
    for (const Coluna_Leitura& coluna : Colunas()) {
        textos << coluna.texto(leitura);
    }
    return textos;
}

std::vector<bool> Colunas_Numericas_Leituras() {
    std::vector<bool> numericas;
    for (const Coluna_Leitura& coluna : Colunas()) {
        numericas.push_back(coluna.numero);
    }
    return numericas;
}

Modelo_Leituras::Modelo_Leituras(QString arquivo, QObject* parent)
    : QAbstractTableModel(parent), arquivo_(std::move(arquivo)) {}

void Modelo_Leituras::Definir_Filtro(const Filtro_Leituras& filtro) {
    Limpar();
    filtro_ = filtro;
    const int pedido = ++pedidos_;
    ++lendo_;
    auto* vigia = new QFutureWatcher<std::optional<Paginas_Leituras>>(this);
    connect(vigia, &QFutureWatcherBase::finished, this, [this, vigia, pedido] {
        --lendo_;
        if (pedido == pedidos_ && vigia->result()) {
            Paginas_Lidas(*vigia->result());
        }
        vigia->deleteLater();
    });
    // The thread opens its own connection: Qt SQL's belong to the thread that made them.
    vigia->setFuture(QtConcurrent::run([arquivo = arquivo_, filtro] {
        Leitor_Historico leitor(arquivo);
        return leitor.Aberto() ? Marcar_Paginas(leitor.Banco(), filtro, Tamanho_Pagina)
                               : std::nullopt;
    }));
}

void Modelo_Leituras::Paginas_Lidas(const Paginas_Leituras& paginas) {
    beginResetModel();
    paginas_ = paginas;
    memoria_.clear();
    endResetModel();
}

void Modelo_Leituras::Limpar() {
    ++pedidos_;  // pages still being found for an earlier filter are not taken
    beginResetModel();
    paginas_ = {};
    memoria_.clear();
    endResetModel();
}

std::size_t Modelo_Leituras::Linhas_Em_Memoria() const {
    std::size_t linhas = 0;
    for (const Pagina& pagina : memoria_) {
        linhas += pagina.leituras.size();
    }
    return linhas;
}

int Modelo_Leituras::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0
                         : static_cast<int>(
                               std::min<qint64>(paginas_.total, std::numeric_limits<int>::max()));
}

int Modelo_Leituras::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : static_cast<int>(Colunas().size());
}

const Leitura_Historico* Modelo_Leituras::Leitura(int linha) const {
    const qint64 numero = linha / Tamanho_Pagina;
    auto pagina = std::find_if(memoria_.begin(), memoria_.end(),
                               [numero](const Pagina& p) { return p.numero == numero; });
    if (pagina == memoria_.end()) {
        Pagina lida{numero, {}};
        Leitor_Historico leitor(arquivo_);
        const std::optional<Posicao_Leitura> depois =
            numero == 0 ? std::nullopt
                        : std::optional(paginas_.fins[static_cast<std::size_t>(numero - 1)]);
        if (leitor.Aberto()) {
            Ler_Pagina_Leituras(leitor.Banco(), filtro_, depois, Tamanho_Pagina, lida.leituras);
        }
        memoria_.push_front(std::move(lida));
        if (memoria_.size() > Paginas_Em_Memoria) {
            memoria_.pop_back();
        }
        pagina = memoria_.begin();
    } else if (pagina != memoria_.begin()) {
        memoria_.splice(memoria_.begin(), memoria_, pagina);
    }
    const auto posicao = static_cast<std::size_t>(linha % Tamanho_Pagina);
    return posicao < memoria_.front().leituras.size() ? &memoria_.front().leituras[posicao]
                                                      : nullptr;
}

QVariant Modelo_Leituras::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= rowCount()) {
        return {};
    }
    const Coluna_Leitura& coluna = Colunas()[static_cast<std::size_t>(indice.column())];
    if (papel == Qt::DisplayRole) {
        const Leitura_Historico* leitura = Leitura(indice.row());
        return leitura != nullptr ? coluna.texto(*leitura) : QVariant();
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

}  // namespace qx7
