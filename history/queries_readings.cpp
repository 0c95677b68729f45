#include <QVariant>
#include <algorithm>

#include "history/queries_readings.h"
#include "history/sql_helpers.h"

namespace qx7 {

namespace {

std::optional<double> Opcional(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

// The filter's rows after `depois`: the scan starts at the later of the period's start and
// that row's time; rows of that very time are told apart by their id.
QString Condicoes_Depois(const Filtro_Leituras& desde, bool depois) {
    return Condicoes_Filtro(desde) +
           (depois ? QStringLiteral(" AND (instante_ms, id) > (?, ?)") : QString());
}

Filtro_Leituras Desde(const Filtro_Leituras& filtro, const std::optional<Posicao_Leitura>& depois) {
    Filtro_Leituras desde = filtro;
    if (depois) {
        desde.de_ms = std::max(filtro.de_ms, depois->instante_ms);
    }
    return desde;
}

void Vincular_Depois(QSqlQuery& q, const Filtro_Leituras& desde,
                     const std::optional<Posicao_Leitura>& depois) {
    Vincular_Filtro(q, desde);
    if (depois) {
        Vincular(q, {depois->instante_ms, depois->id});
    }
}

// The columns Ler_Leitura reads, in its order.
QString Colunas_Leitura() {
    return QStringLiteral(
               "id, instante_ms, endereco, comando, tanque, produto, densidade,"
               " capacidade, medido, complementar, unidade, texto_hora, texto_data, ") +
           QLatin1String(Sql_Percentual);
}

Leitura_Historico Ler_Leitura(const QSqlQuery& q) {
    return {
        .id = q.value(0).toLongLong(),
        .instante_ms = q.value(1).toLongLong(),
        .endereco = q.value(2).toString(),
        .comando = q.value(3).toString(),
        .tanque = q.value(4).toInt(),
        .produto = q.value(5).toString(),
        .densidade = Opcional(q.value(6)),
        .capacidade = Opcional(q.value(7)),
        .medido = Opcional(q.value(8)),
        .complementar = Opcional(q.value(9)),
        .unidade = q.value(10).toString(),
        .texto_hora = q.value(11).toString(),
        .texto_data = q.value(12).toString(),
        .percentual = Opcional(q.value(13)),
    };
}

}  // namespace

qint64 Contar_Leituras(QSqlDatabase& banco, const Filtro_Leituras& filtro) {
    QSqlQuery q(banco);
    if (!Preparar(
            q, QStringLiteral("SELECT count(*) FROM leituras WHERE ") + Condicoes_Filtro(filtro))) {
        return 0;
    }
    Vincular_Filtro(q, filtro);
    return Executar(q) && q.next() ? q.value(0).toLongLong() : 0;
}

bool Ler_Pagina_Leituras(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                         const std::optional<Posicao_Leitura>& depois, int quantas,
                         std::vector<Leitura_Historico>& pagina) {
    const Filtro_Leituras desde = Desde(filtro, depois);
    QSqlQuery q(banco);
    if (!Preparar(q, QStringLiteral("SELECT %1 FROM leituras WHERE %2"
                                    " ORDER BY instante_ms, id LIMIT ?")
                         .arg(Colunas_Leitura(), Condicoes_Depois(desde, depois.has_value())))) {
        return false;
    }
    Vincular_Depois(q, desde, depois);
    q.addBindValue(quantas);
    if (!Executar(q)) {
        return false;
    }
    while (q.next()) {
        pagina.push_back(Ler_Leitura(q));
    }
    return true;
}

bool Ler_Leituras_Apos(QSqlDatabase& banco, qint64 depois_id, int quantas,
                       std::vector<Leitura_Historico>& leituras) {
    QSqlQuery q(banco);
    if (!Preparar(q, QStringLiteral("SELECT %1 FROM leituras WHERE id > ? ORDER BY id LIMIT ?")
                         .arg(Colunas_Leitura()))) {
        return false;
    }
    Vincular(q, {depois_id, quantas});
    if (!Executar(q)) {
        return false;
    }
    while (q.next()) {
        leituras.push_back(Ler_Leitura(q));
    }
    return true;
}

Percurso_Leituras::Percurso_Leituras(const Filtro_Leituras& filtro, int por_pagina)
    : filtro_(filtro), por_pagina_(por_pagina) {}

std::vector<Leitura_Historico> Percurso_Leituras::Proxima(QSqlDatabase& banco) {
    std::vector<Leitura_Historico> pagina;
    if (falhou_) {
        return pagina;
    }
    falhou_ = !Ler_Pagina_Leituras(banco, filtro_, ultima_, por_pagina_, pagina);
    if (!pagina.empty()) {
        ultima_ = Posicao_Leitura{pagina.back().instante_ms, pagina.back().id};
    }
    return pagina;
}

std::optional<Paginas_Leituras> Marcar_Paginas(QSqlDatabase& banco, const Filtro_Leituras& filtro,
                                               int por_pagina) {
    QSqlQuery q(banco);
    if (!Preparar(q, QStringLiteral("SELECT instante_ms, id FROM leituras WHERE %1"
                                    " ORDER BY instante_ms, id")
                         .arg(Condicoes_Filtro(filtro)))) {
        return std::nullopt;
    }
    Vincular_Filtro(q, filtro);
    if (!Executar(q)) {
        return std::nullopt;
    }
    Paginas_Leituras paginas{.total = 0, .por_pagina = std::max(1, por_pagina), .fins = {}};
    while (q.next()) {
        if (++paginas.total % paginas.por_pagina == 0) {
            paginas.fins.push_back({q.value(0).toLongLong(), q.value(1).toLongLong()});
        }
    }
    return paginas;
}

}  // namespace qx7
