#include "history/queries.h"

#include <QVariant>
#include <map>

#include "history/sql_helpers.h"

namespace qx7 {

namespace {

// The readings of runs `de` and `ate` per `chave` (a column) and unit, each run's side with its
// sum and its unreadable values.
std::vector<Variacao> Variacoes(QSqlDatabase& banco, const char* chave, qint64 de, qint64 ate) {
    QSqlQuery q(banco);
    if (!Preparar(q,
                  QStringLiteral("SELECT %1 AS chave, unidade, inventario, total(medido),"
                                 " count(*) - count(medido) FROM leituras"
                                 " WHERE inventario IN (?, ?) GROUP BY chave, unidade, inventario"
                                 " ORDER BY chave, unidade")
                      .arg(QLatin1String(chave)))) {
        return {};
    }
    Vincular(q, {de, ate});
    std::vector<Variacao> variacoes;
    if (!Executar(q)) {
        return variacoes;
    }
    while (q.next()) {
        const QString chave_lida = q.value(0).toString();
        const QString unidade = q.value(1).toString();
        if (variacoes.empty() || variacoes.back().chave != chave_lida ||
            variacoes.back().unidade != unidade) {
            variacoes.push_back({chave_lida, unidade, {}, {}});
        }
        Lado_Variacao& lado =
            q.value(2).toLongLong() == de ? variacoes.back().de : variacoes.back().ate;
        lado = {true, q.value(3).toDouble(), q.value(4).toInt()};
    }
    return variacoes;
}

// The unreadable measured values of every run per product and unit.
void Somar_Ilegiveis(QSqlDatabase& banco, std::vector<Inventario_Historico>& inventarios,
                     const std::map<qint64, std::size_t>& posicao) {
    QSqlQuery q(banco);
    if (!Executar(q,
                  "SELECT inventario, produto, unidade, count(*) - count(medido) FROM leituras"
                  " WHERE inventario IS NOT NULL GROUP BY inventario, produto, unidade"
                  " HAVING count(*) > count(medido)")) {
        return;
    }
    while (q.next()) {
        const auto i = posicao.find(q.value(0).toLongLong());
        if (i == posicao.end()) {
            continue;
        }
        for (Total_Produto& total : inventarios[i->second].totais) {
            if (total.produto == q.value(1).toString() && total.unidade == q.value(2).toString()) {
                total.ilegiveis = q.value(3).toInt();
            }
        }
    }
}

}  // namespace

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
    Somar_Ilegiveis(banco, inventarios, posicao);
    return inventarios;
}

Diferenca_Inventarios Comparar_Inventarios(QSqlDatabase& banco, qint64 de, qint64 ate) {
    return {Variacoes(banco, "produto", de, ate), Variacoes(banco, "tanque", de, ate)};
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
