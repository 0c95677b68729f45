#include "publish/outbox_streams.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <array>

#include "history/queries_readings.h"
#include "history/sql_helpers.h"
#include "publish/payloads.h"

namespace qx7 {

namespace {

QJsonValue Numero(const QVariant& v) {
    return v.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(v.toDouble());
}

bool Consultar(QSqlQuery& q, const QString& sql, std::initializer_list<QVariant> valores) {
    if (!Preparar(q, sql)) {
        return false;
    }
    Vincular(q, valores);
    return Executar(q);
}

bool Ler_Leituras(QSqlDatabase& banco, qint64 depois, int limite,
                  std::vector<Linha_Fluxo>& linhas) {
    std::vector<Leitura_Historico> leituras;
    if (!Ler_Leituras_Apos(banco, depois, limite, leituras)) {
        return false;
    }
    for (const Leitura_Historico& l : leituras) {
        linhas.push_back({.id = l.id, .conteudo = Json_Leitura(l), .tanque = l.tanque});
    }
    return true;
}

// A run's totals per product and unit, none where one of its tanks had no value.
bool Totais(QSqlDatabase& banco, qint64 inventario, QJsonArray& totais) {
    QSqlQuery q(banco);
    if (!Consultar(q,
                   QStringLiteral("SELECT produto, unidade, tanques, capacidade, medido,"
                                  " complementar, tanques_sem_valor FROM totais_inventario"
                                  " WHERE inventario = ? ORDER BY produto, unidade"),
                   {inventario})) {
        return false;
    }
    while (q.next()) {
        totais.append(QJsonObject{
            {QStringLiteral("produto"), q.value(0).toString()},
            {QStringLiteral("unidade"), q.value(1).toString()},
            {QStringLiteral("tanques"), q.value(2).toInt()},
            {QStringLiteral("capacidade"), Numero(q.value(3))},
            {QStringLiteral("medido"), Numero(q.value(4))},
            {QStringLiteral("complementar"), Numero(q.value(5))},
            {QStringLiteral("tanques_sem_valor"), q.value(6).toInt()},
        });
    }
    return true;
}

// The ids of the run's readings, as published on `leituras`.
bool Leituras_Do_Inventario(QSqlDatabase& banco, qint64 inventario, QJsonArray& ids) {
    QSqlQuery q(banco);
    if (!Consultar(q,
                   QStringLiteral("SELECT instante_ms, tanque FROM leituras WHERE inventario = ?"
                                  " ORDER BY tanque, id"),
                   {inventario})) {
        return false;
    }
    while (q.next()) {
        ids.append(Id_Leitura(q.value(0).toLongLong(), q.value(1).toInt()));
    }
    return true;
}

bool Ler_Inventarios(QSqlDatabase& banco, qint64 depois, int limite,
                     std::vector<Linha_Fluxo>& linhas) {
    QSqlQuery q(banco);
    if (!Consultar(q,
                   QStringLiteral("SELECT id, instante_ms, endereco, num_tanques, tanques_ausentes"
                                  " FROM inventarios WHERE id > ? ORDER BY id LIMIT ?"),
                   {depois, limite})) {
        return false;
    }
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        const qint64 instante = q.value(1).toLongLong();
        QJsonArray totais;
        QJsonArray leituras;
        if (!Totais(banco, id, totais) || !Leituras_Do_Inventario(banco, id, leituras)) {
            return false;
        }
        linhas.push_back(
            {.id = id,
             .conteudo = Compacto({{QStringLiteral("id"), Id_Linha(instante, id)},
                                   {QStringLiteral("instante"), Instante_Iso(instante)},
                                   {QStringLiteral("endereco"), q.value(2).toString()},
                                   {QStringLiteral("num_tanques"), q.value(3).toInt()},
                                   {QStringLiteral("tanques_ausentes"), q.value(4).toInt()},
                                   {QStringLiteral("totais"), totais},
                                   {QStringLiteral("leituras"), leituras}}),
             .tanque = 0});
    }
    return true;
}

// The first instant column of a row: where its id starts.
qint64 Primeiro_Instante(const QSqlRecord& linha) {
    for (int i = 0; i < linha.count(); ++i) {
        if (linha.fieldName(i).endsWith(QStringLiteral("_ms"))) {
            return linha.value(i).toLongLong();
        }
    }
    return 0;
}

// Every column of the delivery as the history has it.
bool Ler_Descargas(QSqlDatabase& banco, qint64 depois, int limite,
                   std::vector<Linha_Fluxo>& linhas) {
    QSqlQuery q(banco);
    if (!Consultar(q, QStringLiteral("SELECT * FROM descargas WHERE id > ? ORDER BY id LIMIT ?"),
                   {depois, limite})) {
        return false;
    }
    while (q.next()) {
        const QSqlRecord linha = q.record();
        const qint64 id = linha.value(QStringLiteral("id")).toLongLong();
        QJsonObject objeto = Objeto_Da_Linha(linha);
        objeto.insert(QStringLiteral("id"), Id_Linha(Primeiro_Instante(linha), id));
        linhas.push_back({.id = id, .conteudo = Compacto(objeto), .tanque = 0});
    }
    return true;
}

// One message per raise, clear or acknowledgement, with the whole alarm it belongs to.
bool Ler_Alarmes(QSqlDatabase& banco, qint64 depois, int limite, std::vector<Linha_Fluxo>& linhas) {
    QSqlQuery q(banco);
    if (!Consultar(q,
                   QStringLiteral("SELECT e.id, e.evento, e.instante_ms, a.* FROM eventos_alarme e"
                                  " JOIN alarmes a ON a.id = e.alarme WHERE e.id > ?"
                                  " ORDER BY e.id LIMIT ?"),
                   {depois, limite})) {
        return false;
    }
    constexpr int Colunas_Evento = 3;
    while (q.next()) {
        const QSqlRecord linha = q.record();
        QSqlRecord alarme;
        for (int i = Colunas_Evento; i < linha.count(); ++i) {
            alarme.append(linha.field(i));
        }
        const qint64 id = linha.value(0).toLongLong();
        const qint64 instante = linha.value(2).toLongLong();
        linhas.push_back(
            {.id = id,
             .conteudo = Compacto({{QStringLiteral("id"), Id_Linha(instante, id)},
                                   {QStringLiteral("evento"), linha.value(1).toString()},
                                   {QStringLiteral("instante"), Instante_Iso(instante)},
                                   {QStringLiteral("alarme"), Objeto_Da_Linha(alarme)}}),
             .tanque = 0});
    }
    return true;
}

constexpr std::array<Definicao_Fluxo, Numero_Fluxos> Definicoes = {{
    {.fluxo = Fluxo::Leituras,
     .tabela = "leituras",
     .topico = "leituras",
     .nome = "leituras",
     .ler = &Ler_Leituras},
    {.fluxo = Fluxo::Inventarios,
     .tabela = "inventarios",
     .topico = "inventarios",
     .nome = "inventarios",
     .ler = &Ler_Inventarios},
    {.fluxo = Fluxo::Descargas,
     .tabela = "descargas",
     .topico = "descargas",
     .nome = "descargas",
     .ler = &Ler_Descargas},
    {.fluxo = Fluxo::Alarmes,
     .tabela = "eventos_alarme",
     .topico = "alarmes",
     .nome = "alarmes",
     .ler = &Ler_Alarmes},
}};

}  // namespace

const Definicao_Fluxo& Definicao(Fluxo fluxo) {
    return Definicoes[Janela_Envio::Indice(fluxo)];
}

QString Topico_Tanque(int tanque) {
    return QStringLiteral("tanque/%1").arg(tanque);
}

}  // namespace qx7
