#include "screens/history/forecast_view.h"

#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

#include "gauge/tank_watch.h"
#include "history/alarm_queries.h"
#include "screens/history/table_cells.h"

namespace qx7 {

namespace {

// The instant, or why there is none.
QStandardItem* Quando(std::optional<std::int64_t> instante_ms, const QString& sem) {
    return instante_ms ? Celula_Instante(*instante_ms) : Celula_Texto(sem);
}

QString Alem_Do_Horizonte() {
    return QStringLiteral("além de %1 dias").arg(Horizonte_Maximo_Dias);
}

QList<QStandardItem*> Linha(int tanque, const Previsao_Tanque& p, bool com_baixo) {
    if (!p.consumo_dia) {
        return {Celula_Numero(tanque), Celula_Texto(QStringLiteral("leituras insuficientes")),
                Celula_Texto({}), Celula_Texto({})};
    }
    if (!(*p.consumo_dia > 0)) {
        return {Celula_Numero(tanque), Celula_Numero(*p.consumo_dia),
                Celula_Texto(QStringLiteral("sem consumo")), Celula_Texto({})};
    }
    return {
        Celula_Numero(tanque), Celula_Numero(*p.consumo_dia),
        Quando(p.baixo_ms, com_baixo ? Alem_Do_Horizonte() : QStringLiteral("sem limite Baixo")),
        Quando(p.vazio_ms, Alem_Do_Horizonte())};
}

}  // namespace

Vista_Previsao::Vista_Previsao(QWidget* parent)
    : QWidget(parent), modelo_(new QStandardItemModel(this)) {
    auto* tabela = new QTableView(this);
    tabela->setObjectName(QStringLiteral("Previsao"));
    Preparar_Tabela(*tabela, *modelo_,
                    {QStringLiteral("Tanque"), QStringLiteral("Consumo por dia"),
                     QStringLiteral("Chega ao nível Baixo"), QStringLiteral("Esvazia")});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(
        QStringLiteral("Previsão pelos últimos 7 dias de leituras, sem as descargas:"), this));
    layout->addWidget(tabela, 1);
}

void Vista_Previsao::Atualizar(QSqlDatabase* banco) {
    modelo_->removeRows(0, modelo_->rowCount());
    const std::optional<qint64> ultima =
        banco != nullptr ? Ultima_Leitura_ms(*banco) : std::nullopt;
    if (!ultima) {
        return;
    }
    Avaliador_Alarmes avaliador;
    avaliador.Definir_Config(config ? config() : Config_Alarmes{});
    Vigia_Tanques vigia(avaliador);
    std::set<int> tanques;
    for (const Leitura_Valores& l :
         Leituras_Para_Previsao(*banco, *ultima - Janela_Previsao_ms, *ultima)) {
        vigia.Carregar(l);
        if (l.tanque >= 1 && l.tanque <= Maximo_Tanques_Alarme) {
            tanques.insert(l.tanque);
        }
    }
    for (const int tanque : tanques) {
        const bool com_baixo = Limites_Do_Tanque(avaliador.Config(), tanque).baixo.has_value();
        modelo_->appendRow(Linha(tanque, vigia.Previsao(tanque), com_baixo));
    }
}

}  // namespace qx7
