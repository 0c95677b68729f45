#include "screens/history/inventories_tab.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "history/reader.h"
#include "screens/history/table_cells.h"

namespace qx7 {

namespace {

const QString Dica = QStringLiteral("Selecione dois inventários para ver a variação do estoque.");

struct Chave_Produto {
    QString produto, unidade;
    bool operator==(const Chave_Produto&) const = default;
    bool operator<(const Chave_Produto& outra) const {
        return std::pair(produto, unidade) < std::pair(outra.produto, outra.unidade);
    }
};

// A product's column title; weights are told apart from volumes.
QString Titulo_Produto(const Chave_Produto& chave) {
    return chave.unidade == QLatin1String("P") ? chave.produto + QStringLiteral(" (peso)")
                                               : chave.produto;
}

QString Texto_Unidade(const QString& unidade) {
    return unidade == QLatin1String("P") ? QStringLiteral("Peso") : QStringLiteral("Volume");
}

// Every product of every run, in alphabetical order.
std::vector<Chave_Produto> Produtos(const std::vector<Inventario_Historico>& inventarios) {
    std::vector<Chave_Produto> produtos;
    for (const auto& inventario : inventarios) {
        for (const auto& total : inventario.totais) {
            produtos.push_back({total.produto, total.unidade});
        }
    }
    std::sort(produtos.begin(), produtos.end());
    produtos.erase(std::unique(produtos.begin(), produtos.end()), produtos.end());
    return produtos;
}

QString Ilegiveis(int quantos) {
    return quantos == 1 ? QStringLiteral("1 tanque ilegível")
                        : QStringLiteral("%1 tanques ilegíveis").arg(quantos);
}

// A product's total in a run; one that leaves out unreadable tanks says so.
QStandardItem* Celula_Total(const Inventario_Historico& inventario, const Chave_Produto& chave) {
    for (const auto& total : inventario.totais) {
        if (total.produto == chave.produto && total.unidade == chave.unidade) {
            return total.ilegiveis == 0
                       ? Celula_Numero(total.medido)
                       : Celula_Texto(QStringLiteral("%1 (%2)").arg(Texto_Numero(total.medido),
                                                                    Ilegiveis(total.ilegiveis)));
        }
    }
    return Celula_Texto({});
}

// A run's side of a comparison: its value, or why there is none.
QStandardItem* Celula_Lado(const Lado_Variacao& lado, bool por_tanque) {
    if (!lado.presente) {
        return Celula_Texto(QStringLiteral("ausente"));
    }
    if (lado.ilegiveis > 0) {
        return Celula_Texto(por_tanque
                                ? QStringLiteral("ilegível")
                                : QStringLiteral("incompleto (%1)").arg(Ilegiveis(lado.ilegiveis)));
    }
    return Celula_Numero(lado.medido);
}

void Preencher_Variacoes(QStandardItemModel& modelo, const std::vector<Variacao>& variacoes,
                         bool por_tanque) {
    for (const Variacao& v : variacoes) {
        const std::optional<double> variacao = v.variacao();
        modelo.appendRow(
            {Celula_Texto(v.chave), Celula_Texto(Texto_Unidade(v.unidade)),
             Celula_Lado(v.de, por_tanque), Celula_Lado(v.ate, por_tanque),
             variacao ? Celula_Numero(*variacao) : Celula_Texto(QStringLiteral("não calculada"))});
    }
}

}  // namespace

Aba_Inventarios::Aba_Inventarios(QString arquivo, QWidget* parent)
    : Aba_Historico(std::move(arquivo), parent) {
    auto* layout = new QVBoxLayout(this);
    lista_ = Nova_Tabela("Inventarios", {});
    lista_.vista->setSelectionMode(QAbstractItemView::MultiSelection);
    connect(lista_.vista->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Aba_Inventarios::Selecao_Mudou);
    dica_ = new QLabel(Dica, this);
    dica_->setObjectName(QStringLiteral("Dica_Inventarios"));
    comparacao_ = new QLabel(this);
    comparacao_->setObjectName(QStringLiteral("Comparacao_Inventarios"));
    comparacao_->hide();
    const QStringList variacao = {QStringLiteral("De"), QStringLiteral("Até"),
                                  QStringLiteral("Variação")};
    produtos_ =
        Nova_Tabela("Diferenca_Produtos",
                    QStringList{QStringLiteral("Produto"), QStringLiteral("Unidade")} + variacao);
    tanques_ =
        Nova_Tabela("Diferenca_Tanques",
                    QStringList{QStringLiteral("Tanque"), QStringLiteral("Unidade")} + variacao);
    layout->addWidget(lista_.vista, 3);
    layout->addWidget(dica_);
    layout->addWidget(comparacao_);
    layout->addWidget(new QLabel(QStringLiteral("Variação por produto:"), this));
    layout->addWidget(produtos_.vista, 2);
    layout->addWidget(new QLabel(QStringLiteral("Variação por tanque:"), this));
    layout->addWidget(tanques_.vista, 2);
}

Aba_Inventarios::Tabela Aba_Inventarios::Nova_Tabela(const char* nome,
                                                     const QStringList& cabecalho) {
    Tabela tabela{new QTableView(this), new QStandardItemModel(this)};
    tabela.vista->setObjectName(QString::fromLatin1(nome));
    Preparar_Tabela(*tabela.vista, *tabela.modelo, cabecalho);
    return tabela;
}

void Aba_Inventarios::Atualizar(QSqlDatabase* banco) {
    inventarios_ =
        banco != nullptr ? Listar_Inventarios(*banco) : std::vector<Inventario_Historico>{};
    Preencher_Inventarios();
    Selecao_Mudou();
}

void Aba_Inventarios::Preencher_Inventarios() {
    const std::vector<Chave_Produto> produtos = Produtos(inventarios_);
    QStringList cabecalho = {QStringLiteral("Data e hora"), QStringLiteral("Endereço"),
                             QStringLiteral("Tanques")};
    for (const auto& chave : produtos) {
        cabecalho << Titulo_Produto(chave);
    }
    lista_.modelo->clear();
    lista_.modelo->setHorizontalHeaderLabels(cabecalho);
    for (const auto& inventario : inventarios_) {
        QList<QStandardItem*> linha = {Celula_Instante(inventario.instante_ms),
                                       Celula_Texto(inventario.endereco),
                                       Celula_Numero(inventario.num_tanques)};
        for (const auto& chave : produtos) {
            linha << Celula_Total(inventario, chave);
        }
        lista_.modelo->appendRow(linha);
    }
}

void Aba_Inventarios::Selecao_Mudou() {
    Esvaziar(*produtos_.modelo);
    Esvaziar(*tanques_.modelo);
    const QModelIndexList linhas = lista_.vista->selectionModel()->selectedRows();
    const bool dois = linhas.size() == 2;
    dica_->setVisible(!dois);
    comparacao_->setVisible(dois);
    if (!dois) {
        return;
    }
    const Inventario_Historico* de = &inventarios_[static_cast<std::size_t>(linhas[0].row())];
    const Inventario_Historico* ate = &inventarios_[static_cast<std::size_t>(linhas[1].row())];
    if (std::pair(ate->instante_ms, ate->id) < std::pair(de->instante_ms, de->id)) {
        std::swap(de, ate);
    }
    comparados_ = QStringLiteral("do inventário de %1 ao de %2")
                      .arg(Texto_Instante(de->instante_ms), Texto_Instante(ate->instante_ms));
    comparacao_->setText(comparados_.left(1).toUpper() + comparados_.mid(1) + QLatin1Char(':'));
    Leitor_Historico leitor(Arquivo());
    if (leitor.Aberto()) {
        Preencher_Diferenca(Comparar_Inventarios(leitor.Banco(), de->id, ate->id));
    }
}

void Aba_Inventarios::Preencher_Diferenca(const Diferenca_Inventarios& diferenca) {
    Preencher_Variacoes(*produtos_.modelo, diferenca.por_produto, false);
    Preencher_Variacoes(*tanques_.modelo, diferenca.por_tanque, true);
}

QString Aba_Inventarios::Titulo() const {
    return QStringLiteral("Inventários");
}

std::vector<Tabela_Aba> Aba_Inventarios::Tabelas() const {
    std::vector<Tabela_Aba> tabelas = {
        {QStringLiteral("Inventarios"), QStringLiteral("Inventários gravados"), lista_.modelo}};
    if (lista_.vista->selectionModel()->selectedRows().size() == 2) {
        tabelas.push_back({QStringLiteral("Variacao_Produtos"),
                           QStringLiteral("Variação por produto, ") + comparados_,
                           produtos_.modelo});
        tabelas.push_back({QStringLiteral("Variacao_Tanques"),
                           QStringLiteral("Variação por tanque, ") + comparados_, tanques_.modelo});
    }
    return tabelas;
}

}  // namespace qx7
