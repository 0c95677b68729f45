#include "history/queries.h"

#include <QVariant>
#include <map>

#include "history/sql_helpers.h"

namespace qx7 {

namespace {

std::optional<double> Opcional(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

QString Sql_Leituras(const Filtro_Leituras& filtro, const QString& extra) {
    return QStringLiteral(
               "SELECT instante_ms, endereco, comando, tanque, produto, densidade, capacidade,"
               " medido, complementar, unidade, texto_hora, texto_data, %1, id FROM leituras"
               " WHERE %2 %3")
        .arg(QLatin1String(Sql_Percentual), Condicoes_Filtro(filtro), extra);
}

Leitura_Historico Ler_Leitura(const QSqlQuery& q) {
    Leitura_Historico l;
    l.instante_ms = q.value(0).toLongLong();
    l.endereco = q.value(1).toString();
    l.comando = q.value(2).toString();
    l.tanque = q.value(3).toInt();
    l.produto = q.value(4).toString();
    l.densidade = q.value(5).toDouble();
    l.capacidade = q.value(6).toDouble();
    l.medido = q.value(7).toDouble();
    l.complementar = q.value(8).toDouble();
    l.unidade = q.value(9).toString();
    l.texto_hora = q.value(10).toString();
    l.texto_data = q.value(11).toString();
    l.percentual = Opcional(q.value(12));
    return l;
}

std::vector<Variacao> Ler_Variacoes(QSqlQuery& q) {
    std::vector<Variacao> v;
    while (q.next()) {
        v.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toDouble(),
                     q.value(3).toDouble()});
    }
    return v;
}

// Both runs' values side by side per key; a key missing from one run sums nothing there.
std::vector<Variacao> Variacoes(QSqlDatabase& banco, const char* sql, qint64 de, qint64 ate) {
    QSqlQuery q(banco);
    if (!Preparar(q, QString::fromLatin1(sql))) {
        return {};
    }
    for (qint64 v : {de, ate, de, ate}) {
        q.addBindValue(v);
    }
    return Executar(q) ? Ler_Variacoes(q) : std::vector<Variacao>{};
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

Percurso_Leituras::Percurso_Leituras(const Filtro_Leituras& filtro, int por_pagina)
    : filtro_(filtro), por_pagina_(por_pagina) {}

std::vector<Leitura_Historico> Percurso_Leituras::Proxima(QSqlDatabase& banco) {
    QSqlQuery q(banco);
    const QString depois = ultima_ ? QStringLiteral("AND (instante_ms, id) > (?, ?)") : QString();
    if (!Preparar(q, Sql_Leituras(filtro_, depois + QStringLiteral(" ORDER BY instante_ms, id "
                                                                   "LIMIT ?")))) {
        falhou_ = true;
        return {};
    }
    Vincular_Filtro(q, filtro_);
    if (ultima_) {
        q.addBindValue(ultima_->first);
        q.addBindValue(ultima_->second);
    }
    q.addBindValue(por_pagina_);
    std::vector<Leitura_Historico> pagina;
    if (!Executar(q)) {
        falhou_ = true;
        return pagina;
    }
    while (q.next()) {
        pagina.push_back(Ler_Leitura(q));
        ultima_.emplace(q.value(0).toLongLong(), q.value(13).toLongLong());
    }
    return pagina;
}

std::vector<Inventario_Historico> Listar_Inventarios(QSqlDatabase& banco) {
    std::vector<Inventario_Historico> inventarios;
    QSqlQuery q(banco);
    if (!Executar(q,
                  "SELECT id, instante_ms, endereco, num_tanques FROM inventarios"
                  " ORDER BY instante_ms DESC, id DESC")) {
        return inventarios;
    }
    std::map<qint64, std::size_t> posicao;
    while (q.next()) {
        posicao[q.value(0).toLongLong()] = inventarios.size();
        inventarios.push_back({q.value(0).toLongLong(),
                               q.value(1).toLongLong(),
                               q.value(2).toString(),
                               q.value(3).toInt(),
                               {}});
    }
    QSqlQuery t(banco);
    if (!Executar(t,
                  "SELECT inventario, produto, unidade, tanques, capacidade, medido,"
                  " complementar FROM totais_inventario ORDER BY inventario, produto, unidade")) {
        return inventarios;
    }
    while (t.next()) {
        const auto i = posicao.find(t.value(0).toLongLong());
        if (i == posicao.end()) {
            continue;
        }
        inventarios[i->second].totais.push_back({t.value(1).toString(), t.value(2).toString(),
                                                 t.value(3).toInt(), t.value(4).toDouble(),
                                                 t.value(5).toDouble(), t.value(6).toDouble()});
    }
    return inventarios;
}

Diferenca_Inventarios Comparar_Inventarios(QSqlDatabase& banco, qint64 de, qint64 ate) {
    return {
        Variacoes(banco,
                  "SELECT produto, unidade,"
                  " total(CASE WHEN inventario = ? THEN medido END),"
                  " total(CASE WHEN inventario = ? THEN medido END)"
                  " FROM totais_inventario WHERE inventario IN (?, ?)"
                  " GROUP BY produto, unidade ORDER BY produto, unidade",
                  de, ate),
        Variacoes(banco,
                  "SELECT CAST(tanque AS TEXT), unidade,"
                  " total(CASE WHEN inventario = ? THEN medido END),"
                  " total(CASE WHEN inventario = ? THEN medido END)"
                  " FROM leituras WHERE inventario IN (?, ?)"
                  " GROUP BY tanque, unidade ORDER BY tanque, unidade",
                  de, ate),
    };
}

std::vector<Serie_Programada_Historico> Listar_Series(QSqlDatabase& banco) {
    std::vector<Serie_Programada_Historico> series;
    QSqlQuery q(banco);
    if (!Executar(q,
                  "SELECT id, instante_ms, endereco, data_solicitada FROM series_programadas"
                  " ORDER BY instante_ms DESC, id DESC")) {
        return series;
    }
    std::map<qint64, std::size_t> posicao;
    while (q.next()) {
        posicao[q.value(0).toLongLong()] = series.size();
        series.push_back({q.value(0).toLongLong(),
                          q.value(1).toLongLong(),
                          q.value(2).toString(),
                          q.value(3).toString(),
                          {}});
    }
    QSqlQuery r(banco);
    if (!Executar(r,
                  "SELECT serie, ordem, texto_data, texto_hora, texto_volume, texto_tanque"
                  " FROM registros_programados ORDER BY serie, ordem")) {
        return series;
    }
    while (r.next()) {
        const auto s = posicao.find(r.value(0).toLongLong());
        if (s != posicao.end()) {
            series[s->second].registros.push_back({r.value(1).toInt(), r.value(2).toString(),
                                                   r.value(3).toString(), r.value(4).toString(),
                                                   r.value(5).toString()});
        }
    }
    return series;
}

std::vector<Relogio_Historico> Listar_Relogio(QSqlDatabase& banco) {
    std::vector<Relogio_Historico> relogio;
    QSqlQuery q(banco);
    if (!Executar(q,
                  "SELECT instante_ms, texto_hora, texto_data, texto_dia, deriva_s FROM relogio"
                  " ORDER BY instante_ms DESC, id DESC")) {
        return relogio;
    }
    while (q.next()) {
        const QVariant deriva = q.value(4);
        relogio.push_back(
            {q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
             q.value(3).toString(),
             deriva.isNull() ? std::nullopt : std::optional<qint64>(deriva.toLongLong())});
    }
    return relogio;
}

Estatisticas_Enlace Contadores_Gravados(QSqlDatabase& banco) {
    Estatisticas_Enlace e;
    QSqlQuery q(banco);
    if (!Executar(q, "SELECT nome, valor FROM contadores_enlace")) {
        return e;
    }
    while (q.next()) {
        const QByteArray nome = q.value(0).toString().toLatin1();
        for (const Campo_Estatistica& campo : Campos_Estatisticas) {
            if (nome == campo.Nome) {
                e.*campo.Membro = q.value(1).toULongLong();
            }
        }
    }
    return e;
}

}  // namespace qx7
