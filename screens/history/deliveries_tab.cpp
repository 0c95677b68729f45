#include "screens/history/deliveries_tab.h"

#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "history/alarm_queries.h"
#include "screens/history/table_cells.h"

namespace qx7 {

Aba_Descargas::Aba_Descargas(QString arquivo, QWidget* parent)
    : Aba_Historico(std::move(arquivo), parent), descargas_(new QStandardItemModel(this)) {
    auto* tabela = new QTableView(this);
    tabela->setObjectName(QStringLiteral("Descargas"));
    Preparar_Tabela(*tabela, *descargas_,
                    {QStringLiteral("Início"), QStringLiteral("Fim"), QStringLiteral("Tanque"),
                     QStringLiteral("Antes"), QStringLiteral("Depois"),
                     QStringLiteral("Quantidade"), QStringLiteral("Unidade")});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Descargas encontradas nas leituras (subidas maiores que [Alarmes] "
                       "DescargaMinima), do início ao fim da subida:"),
        this));
    layout->addWidget(tabela, 1);
}

void Aba_Descargas::Atualizar(QSqlDatabase* banco) {
    Esvaziar(*descargas_);
    if (banco == nullptr) {
        return;
    }
    for (const Descarga_Historico& h : Listar_Descargas(*banco)) {
        const Descarga& d = h.descarga;
        descargas_->appendRow(
            {Celula_Instante(d.inicio_ms), Celula_Instante(d.fim_ms), Celula_Numero(h.tanque),
             Celula_Numero(d.antes), Celula_Numero(d.depois), Celula_Numero(d.Quantidade()),
             Celula_Texto(h.unidade == QStringLiteral("P") ? QStringLiteral("peso")
                                                           : QStringLiteral("volume"))});
    }
}

QString Aba_Descargas::Titulo() const {
    return QStringLiteral("Descargas");
}

std::vector<Tabela_Aba> Aba_Descargas::Tabelas() const {
    return {{QStringLiteral("Descargas"), QStringLiteral("Descargas"), descargas_}};
}

}  // namespace qx7
