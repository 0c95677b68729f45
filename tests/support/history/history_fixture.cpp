#include "tests/support/history/history_fixture.h"

#include <gtest/gtest.h>

#include <QSqlError>
#include <QVariant>

#include "history/schema.h"
#include "history/sql_helpers.h"

namespace qx7::teste {

namespace {

QVariant Opcional(std::optional<double> v) {
    return v ? QVariant(*v) : QVariant();
}

QSqlQuery Preparar(QSqlDatabase& banco, const char* sql) {
    QSqlQuery q(banco);
    EXPECT_TRUE(q.prepare(QString::fromLatin1(sql))) << q.lastError().text().toStdString();
    return q;
}

// Runs a prepared statement, failing the test with SQLite's text when it does not run.
void Executar(QSqlQuery& q) {
    EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString() << " in "
                          << q.lastQuery().toStdString();
}

}  // namespace

Historico_Teste::Historico_Teste() {
    EXPECT_TRUE(pasta_.isValid());
    EXPECT_TRUE(escrita_.Aberta()) << escrita_.Erro().toStdString();
    QString erro;
    EXPECT_TRUE(Migrar_Esquema(Banco(), erro)) << erro.toStdString();
    insere_leitura_.emplace(Preparar(
        Banco(),
        "INSERT INTO leituras (instante_ms, endereco, comando, inventario, tanque, produto,"
        " densidade, capacidade, medido, complementar, unidade, texto_tanque, texto_densidade,"
        " texto_capacidade, texto_medido, texto_complementar, texto_hora, texto_data)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
}

qint64 Historico_Teste::Inserir_Leitura(const Leitura_Teste& l) {
    QSqlQuery& q = *insere_leitura_;
    const QVariant valores[] = {
        l.instante_ms,
        l.endereco,
        l.comando,
        l.inventario ? QVariant(*l.inventario) : QVariant(),
        l.tanque,
        l.produto,
        l.densidade,
        l.capacidade,
        Opcional(l.medido),
        Opcional(l.complementar),
        l.unidade,
        QString::number(l.tanque),
        QString::number(l.densidade),
        QString::number(l.capacidade),
        l.medido ? QString::number(*l.medido) : QStringLiteral(""),
        l.complementar ? QString::number(*l.complementar) : QStringLiteral(""),
        l.texto_hora,
        l.texto_data,
    };
    for (int i = 0; i < static_cast<int>(std::size(valores)); ++i) {
        q.bindValue(i, valores[i]);
    }
    Executar(q);
    return q.lastInsertId().toLongLong();
}

qint64 Historico_Teste::Inserir_Inventario(qint64 instante_ms, std::vector<Leitura_Teste> leituras,
                                           const std::vector<Total_Produto>& totais) {
    QSqlQuery q = Preparar(Banco(),
                           "INSERT INTO inventarios (instante_ms, endereco, num_tanques)"
                           " VALUES (?, '01', ?)");
    Vincular(q, {instante_ms, static_cast<int>(leituras.size())});
    Executar(q);
    const qint64 id = q.lastInsertId().toLongLong();
    for (Leitura_Teste& l : leituras) {
        l.inventario = id;
        Inserir_Leitura(l);
    }
    QSqlQuery t = Preparar(Banco(),
                           "INSERT INTO totais_inventario (inventario, produto, unidade, tanques,"
                           " capacidade, medido, complementar) VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (const Total_Produto& total : totais) {
        Vincular(t, {id, total.produto, total.unidade, total.tanques, total.capacidade,
                     total.medido, total.complementar});
        Executar(t);
    }
    return id;
}

qint64 Historico_Teste::Inserir_Serie(qint64 instante_ms, const QString& data_solicitada,
                                      const std::vector<Registro_Programado_Historico>& registros) {
    QSqlQuery q = Preparar(Banco(),
                           "INSERT INTO series_programadas (instante_ms, endereco, data_solicitada)"
                           " VALUES (?, '01', ?)");
    Vincular(q, {instante_ms, data_solicitada});
    Executar(q);
    const qint64 id = q.lastInsertId().toLongLong();
    QSqlQuery r =
        Preparar(Banco(),
                 "INSERT INTO registros_programados (serie, ordem, texto_data, texto_hora,"
                 " texto_volume, texto_tanque, tanque, volume)"
                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (const Registro_Programado_Historico& reg : registros) {
        Vincular(r, {id, reg.ordem, reg.texto_data, reg.texto_hora, reg.texto_volume,
                     reg.texto_tanque, reg.texto_tanque.toInt(), reg.texto_volume.toDouble()});
        Executar(r);
    }
    return id;
}

void Historico_Teste::Inserir_Relogio(qint64 instante_ms, const QString& texto_hora,
                                      const QString& texto_data, std::optional<qint64> deriva_s) {
    QSqlQuery q = Preparar(Banco(),
                           "INSERT INTO relogio (instante_ms, endereco, texto_hora, texto_data,"
                           " texto_dia, deriva_s) VALUES (?, '01', ?, ?, 'SEG', ?)");
    Vincular(q, {instante_ms, texto_hora, texto_data, deriva_s ? QVariant(*deriva_s) : QVariant()});
    Executar(q);
}

void Historico_Teste::Inserir_Contador(const char* nome, qint64 valor) {
    QSqlQuery q = Preparar(Banco(),
                           "INSERT INTO contadores_enlace (nome, valor) VALUES (?, ?)"
                           " ON CONFLICT (nome) DO UPDATE SET valor = excluded.valor");
    Vincular(q, {QString::fromLatin1(nome), valor});
    Executar(q);
}

}  // namespace qx7::teste
