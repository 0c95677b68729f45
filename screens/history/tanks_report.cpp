// The tab "Tanques" on paper: the period and the ticked tanks, the chart as the tab draws it,
// then every reading of the period, read page by page as the report's pages are drawn.

#include <QChartView>
#include <QDateTime>
#include <QPainter>
#include <memory>

#include "history/reader.h"
#include "screens/history/readings_model.h"
#include "screens/history/tanks_tab.h"

namespace qx7 {

namespace {

// Characters each column of the readings needs, as the table shows them.
const std::vector<double> Larguras_Leituras = {21, 8, 14, 12, 14, 12, 9, 12, 11, 9, 10, 17, 17};

// The rows of the period for one drawing of the report, over a connection of their own.
struct Fonte_Leituras {
    Fonte_Leituras(const QString& arquivo, const Filtro_Leituras& filtro)
        : leitor(arquivo), percurso(filtro) {}

    bool Proxima(QStringList& textos) {
        if (proxima == pagina.size()) {
            pagina = leitor.Aberto() ? percurso.Proxima(leitor.Banco())
                                     : std::vector<Leitura_Historico>{};
            proxima = 0;
        }
        if (proxima == pagina.size()) {
            return false;
        }
        textos = Textos_Leitura(pagina[proxima++]);
        return true;
    }

    Leitor_Historico leitor;
    Percurso_Leituras percurso;
    std::vector<Leitura_Historico> pagina;
    std::size_t proxima = 0;
};

QString Texto_Dia(qint64 instante_ms) {
    return QDateTime::fromMSecsSinceEpoch(instante_ms).toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace

QString Aba_Tanques::Titulo() const {
    return QStringLiteral("Leituras dos tanques");
}

Relatorio Aba_Tanques::Montar_Relatorio() const {
    const Filtro_Leituras periodo = Periodo_Atual();
    const std::optional<Filtro_Leituras> filtro = Filtro_Atual();
    QStringList tanques;
    for (const int t : filtro ? filtro->tanques : std::vector<int>{}) {
        tanques << QString::number(t);
    }
    const QString escolhidos = !filtro             ? QStringLiteral("nenhum")
                               : tanques.isEmpty() ? QStringLiteral("todos")
                                                   : tanques.join(QStringLiteral(", "));
    qint64 linhas = 0;
    if (filtro) {
        Leitor_Historico leitor(Arquivo());
        linhas = leitor.Aberto() ? Contar_Leituras(leitor.Banco(), *filtro) : 0;
    }
    Tabela_Relatorio tabela{QStringLiteral("Leituras"),
                            Titulos_Leituras(),
                            Larguras_Leituras,
                            Colunas_Numericas_Leituras(),
                            linhas,
                            {}};
    if (filtro) {
        tabela.abrir = [arquivo = Arquivo(), filtro = *filtro] {
            auto fonte = std::make_shared<Fonte_Leituras>(arquivo, filtro);
            return [fonte](QStringList& textos) { return fonte->Proxima(textos); };
        };
    }
    return {Titulo(),
            {QStringLiteral("Período: de %1 a %2")
                 .arg(Texto_Dia(periodo.de_ms), Texto_Dia(periodo.ate_ms - 1)),
             QStringLiteral("Tanques: %1").arg(escolhidos)},
            [grafico = grafico_](QPainter& pintor, const QRectF& area) {
                grafico->render(&pintor, area, grafico->rect());
            },
            {tabela},
            true};
}

}  // namespace qx7
