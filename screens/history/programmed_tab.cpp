#include "screens/history/programmed_tab.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "screens/history/table_cells.h"
#include "screens/measurements/result_text.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

// As the results screen shows them: "05/03/18", "12:34:56", "001500".
QString Em_Tres(const QString& texto, char separador) {
    return De_1252(Dividir_Em_Tres(Para_1252(texto), separador));
}

QString Volume(const QString& texto) {
    return De_1252(Seis_Digitos(Para_1252(texto)));
}

}  // namespace

Aba_Programadas::Aba_Programadas(QString arquivo, QWidget* parent)
    : Aba_Historico(std::move(arquivo), parent),
      lista_(new QTableView(this)),
      modelo_series_(new QStandardItemModel(this)),
      registros_(new QTableView(this)),
      modelo_registros_(new QStandardItemModel(this)) {
    lista_->setObjectName(QStringLiteral("Series"));
    Preparar_Tabela(*lista_, *modelo_series_,
                    {QStringLiteral("Data solicitada"), QStringLiteral("Hora do computador"),
                     QStringLiteral("Endereço"), QStringLiteral("Registros")});
    lista_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(lista_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Aba_Programadas::Selecao_Mudou);
    registros_->setObjectName(QStringLiteral("Registros"));
    Preparar_Tabela(*registros_, *modelo_registros_,
                    {QStringLiteral("No."), QStringLiteral("Tanque"), QStringLiteral("Volume"),
                     QStringLiteral("Data"), QStringLiteral("Hora")});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Séries gravadas:"), this));
    layout->addWidget(lista_, 1);
    layout->addWidget(new QLabel(QStringLiteral("Registros da série escolhida:"), this));
    layout->addWidget(registros_, 2);
}

void Aba_Programadas::Atualizar(QSqlDatabase* banco) {
    series_ = banco != nullptr ? Listar_Series(*banco) : std::vector<Serie_Programada_Historico>{};
    Esvaziar(*modelo_series_);
    for (const auto& serie : series_) {
        modelo_series_->appendRow({Celula_Texto(Em_Tres(serie.data_solicitada, '/')),
                                   Celula_Instante(serie.instante_ms), Celula_Texto(serie.endereco),
                                   Celula_Numero(static_cast<double>(serie.registros.size()))});
    }
    Selecao_Mudou();
}

int Aba_Programadas::Serie_Escolhida() const {
    const QModelIndexList linhas = lista_->selectionModel()->selectedRows();
    return linhas.size() == 1 ? linhas.front().row() : -1;
}

void Aba_Programadas::Selecao_Mudou() {
    Esvaziar(*modelo_registros_);
    const int escolhida = Serie_Escolhida();
    if (escolhida < 0) {
        return;
    }
    for (const auto& r : series_[static_cast<std::size_t>(escolhida)].registros) {
        modelo_registros_->appendRow({Celula_Numero(r.ordem), Celula_Texto(r.texto_tanque),
                                      Celula_Texto(Volume(r.texto_volume)),
                                      Celula_Texto(Em_Tres(r.texto_data, '/')),
                                      Celula_Texto(Em_Tres(r.texto_hora, ':'))});
    }
}

QString Aba_Programadas::Titulo() const {
    return QStringLiteral("Medições programadas");
}

std::vector<Tabela_Aba> Aba_Programadas::Tabelas() const {
    std::vector<Tabela_Aba> tabelas = {
        {QStringLiteral("Series"), QStringLiteral("Séries gravadas"), modelo_series_}};
    if (const int escolhida = Serie_Escolhida(); escolhida >= 0) {
        tabelas.push_back({QStringLiteral("Registros"),
                           QStringLiteral("Registros da série de %1")
                               .arg(modelo_series_->index(escolhida, 0).data().toString()),
                           modelo_registros_});
    }
    return tabelas;
}

}  // namespace qx7
