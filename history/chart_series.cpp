// The chart's decimation: per tank and pixel column, the rows holding the column's first and
// last time, lowest and highest measured value and lowest and highest percentage. One pass
// over the period's rows in time order keeps six points per column; a year of readings never
// becomes more than that.
#include <QVariant>
#include <algorithm>
#include <array>
#include <map>

#include "history/queries.h"
#include "history/schema.h"
#include "history/sql_helpers.h"

namespace qx7 {

namespace {

// The period's rows from the chart's own index alone, in time order; the percentage is
// worked out here, which costs less per row than in SQL. A file not yet brought to the
// version that has the index is read without it.
QString Sql_Pontos(QSqlDatabase& banco, const Filtro_Leituras& filtro) {
    return QStringLiteral(
               "SELECT tanque, instante_ms, medido, complementar FROM leituras %1"
               " WHERE %2")
        .arg(Versao_Esquema(banco) >= Versao_Indice_Grafico
                 ? QStringLiteral("INDEXED BY leituras_grafico")
                 : QString(),
             Condicoes_Filtro(filtro));
}

struct Coluna {
    enum { Primeiro, Ultimo, Menor_Medido, Maior_Medido, Menor_Percentual, Maior_Percentual };
    std::array<Ponto_Grafico, 6> pontos{};
    bool vazia = true;

    void Somar(const Ponto_Grafico& p) {
        if (vazia) {
            pontos.fill(p);
            vazia = false;
            return;
        }
        const auto trocar = [&](int i, bool melhor) {
            if (melhor) {
                pontos[static_cast<std::size_t>(i)] = p;
            }
        };
        trocar(Primeiro, p.instante_ms < pontos[Primeiro].instante_ms);
        trocar(Ultimo, p.instante_ms > pontos[Ultimo].instante_ms);
        trocar(Menor_Medido, p.medido < pontos[Menor_Medido].medido);
        trocar(Maior_Medido, p.medido > pontos[Maior_Medido].medido);
        trocar(Menor_Percentual, p.percentual < pontos[Menor_Percentual].percentual);
        trocar(Maior_Percentual, p.percentual > pontos[Maior_Percentual].percentual);
    }
};

// A column's points in time order, each once.
void Acrescentar(const Coluna& coluna, std::vector<Ponto_Grafico>& saida) {
    std::array<Ponto_Grafico, 6> pontos = coluna.pontos;
    std::sort(pontos.begin(), pontos.end(), [](const Ponto_Grafico& a, const Ponto_Grafico& b) {
        return a.instante_ms < b.instante_ms;
    });
    for (const Ponto_Grafico& p : pontos) {
        if (saida.empty() || saida.back().instante_ms != p.instante_ms) {
            saida.push_back(p);
        }
    }
}

}  // namespace

std::vector<Serie_Tanque> Series_Grafico(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                         int colunas) {
    if (colunas <= 0 || filtro.ate_ms <= filtro.de_ms) {
        return {};
    }
    QSqlQuery q(banco);
    if (!Preparar(q, Sql_Pontos(banco, filtro))) {
        return {};
    }
    Vincular_Filtro(q, filtro);
    if (!Executar(q)) {
        return {};
    }
    const qint64 periodo = filtro.ate_ms - filtro.de_ms;
    std::map<int, std::vector<Coluna>> por_tanque;
    while (q.next()) {
        const QVariant medido_lido = q.value(2);
        const QVariant complementar = q.value(3);
        const double medido = medido_lido.toDouble();
        const double total = medido + complementar.toDouble();
        if (medido_lido.isNull() || complementar.isNull() || total == 0) {
            continue;  // no percentage: it cannot be drawn on both axes
        }
        const Ponto_Grafico p{q.value(1).toLongLong(), medido, 100.0 * medido / total};
        std::vector<Coluna>& linha = por_tanque[q.value(0).toInt()];
        if (linha.empty()) {
            linha.resize(static_cast<std::size_t>(colunas));
        }
        const double fracao =
            static_cast<double>(p.instante_ms - filtro.de_ms) / static_cast<double>(periodo);
        const auto c = std::min(static_cast<std::size_t>(fracao * colunas), linha.size() - 1);
        linha[c].Somar(p);
    }
    std::vector<Serie_Tanque> series;
    for (const auto& [tanque, linha] : por_tanque) {
        Serie_Tanque serie{tanque, {}};
        for (const Coluna& coluna : linha) {
            if (!coluna.vazia) {
                Acrescentar(coluna, serie.pontos);
            }
        }
        series.push_back(std::move(serie));
    }
    return series;
}

}  // namespace qx7
