#include "history/store.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <optional>
#include <utility>

#include "gauge/numeric_text.h"
#include "history/clock_drift.h"
#include "history/sql_helpers.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

QString Texto(const std::string& bytes) {
    return De_1252(bytes);
}

QByteArray Bytes(const std::string& quadro) {
    return {quadro.data(), static_cast<qsizetype>(quadro.size())};
}

// A field read as a whole number, as the decoders read tank numbers; none when it is not one.
QVariant Inteiro(const std::string& campo) {
    int valor = 0;
    return Inteiro_Par(Valor_Numerico(campo), valor) ? QVariant(valor) : QVariant();
}

// A quantity: none (NULL beside its text) when the field is blank or not a number, so nothing
// downstream takes it for a real 0.
QVariant Numero(const std::string& campo) {
    const std::optional<double> valor = Valor_Numerico_Exato(campo);
    return valor ? QVariant(*valor) : QVariant(QMetaType::fromType<double>());
}

// How many of the run's tanks 1..n have no reading in it.
int Ausentes(const std::map<int, qint64>& leituras, int num_tanques) {
    int presentes = 0;
    for (const auto& [tanque, linha] : leituras) {
        presentes += tanque >= 1 && tanque <= num_tanques ? 1 : 0;
    }
    return std::max(num_tanques - presentes, 0);
}

}  // namespace

bool Armazem_Historico::Registro_Do_Operador(const Unidade_Historico& unidade) {
    return !std::holds_alternative<Unidade_Inicio_Inventario>(unidade) &&
           !std::holds_alternative<Unidade_Contadores>(unidade) &&
           !std::holds_alternative<Unidade_Perdas>(unidade);
}

bool Armazem_Historico::Gravar(const Unidade_Historico& unidade, QSqlError& erro) {
    nova_ = corrida_;
    if (!banco_.transaction()) {
        erro = banco_.lastError();
        return false;
    }
    erro_ = QSqlError();
    const bool escrito = std::visit([this](const auto& u) { return Escrever(u); }, unidade);
    if (escrito && banco_.commit()) {
        corrida_ = std::move(nova_);
        return true;
    }
    erro = erro_.type() != QSqlError::NoError ? erro_ : banco_.lastError();
    banco_.rollback();
    return false;
}

bool Armazem_Historico::Executar(QSqlQuery& q) {
    if (q.exec()) {
        return true;
    }
    erro_ = q.lastError();
    return false;
}

bool Armazem_Historico::Escrever(const Unidade_Leitura& u) {
    const Leitura_Recebida& l = u.leitura;
    QSqlQuery q(banco_);
    q.prepare(QStringLiteral(
        "INSERT INTO leituras (instante_ms, endereco, comando, tanque, produto, densidade,"
        " capacidade, medido, complementar, unidade, texto_tanque, texto_densidade,"
        " texto_capacidade, texto_medido, texto_complementar, texto_hora, texto_data, quadro)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QVariant tanque = Inteiro(l.tanque);
    Vincular(
        q, {QVariant(u.instante_ms), QVariant(Texto(l.endereco)), QVariant(Texto(l.comando)),
            QVariant(tanque.isValid() ? tanque.toInt() : 0), QVariant(Texto(l.produto)),
            Numero(l.densidade), Numero(l.capacidade), Numero(l.medido), Numero(l.complementar),
            QVariant(QString(l.peso ? QStringLiteral("P") : QStringLiteral("V"))),
            QVariant(Texto(l.tanque)), QVariant(Texto(l.densidade)), QVariant(Texto(l.capacidade)),
            QVariant(Texto(l.medido)), QVariant(Texto(l.complementar)), QVariant(Texto(l.hora)),
            QVariant(Texto(l.data)), QVariant(Bytes(l.quadro))});
    if (!Executar(q)) {
        return false;
    }
    // A reading flagged for a run whose start is not in this file (a new file was started, or
    // the start was pushed out of the writer's queue) stays a plain reading.
    if (u.do_inventario && nova_.aberta && tanque.isValid()) {
        nova_.leituras[tanque.toInt()] = q.lastInsertId().toLongLong();
    }
    return true;
}

bool Armazem_Historico::Escrever(const Unidade_Inicio_Inventario&) {
    // The readings of an earlier run that never completed stay as plain readings.
    nova_ = {.aberta = true, .leituras = {}};
    return true;
}

bool Armazem_Historico::Escrever(const Unidade_Fim_Inventario& u) {
    const std::map<int, qint64> leituras = std::exchange(nova_, {}).leituras;
    if (leituras.empty()) {
        return true;  // none of its readings belongs to a run started in this file: no run
    }
    QSqlQuery q(banco_);
    q.prepare(
        QStringLiteral("INSERT INTO inventarios (instante_ms, endereco, num_tanques,"
                       " tanques_ausentes) VALUES (?, ?, ?, ?)"));
    Vincular(q,
             {u.instante_ms, Texto(u.endereco), u.num_tanques, Ausentes(leituras, u.num_tanques)});
    if (!Executar(q)) {
        return false;
    }
    const qint64 run = q.lastInsertId().toLongLong();
    q.prepare(QStringLiteral("UPDATE leituras SET inventario = ? WHERE id = ?"));
    for (const auto& [tanque, linha] : leituras) {
        Vincular(q, {run, linha});
        if (!Executar(q)) {
            return false;
        }
    }
    // A total that would take in a tank without a value has none, with the count beside it.
    q.prepare(QStringLiteral(
        "INSERT INTO totais_inventario (inventario, produto, unidade, tanques, capacidade,"
        " medido, complementar, tanques_sem_valor) SELECT inventario, produto, unidade,"
        " count(*), CASE WHEN count(capacidade) = count(*) THEN sum(capacidade) END,"
        " CASE WHEN count(medido) = count(*) THEN sum(medido) END,"
        " CASE WHEN count(complementar) = count(*) THEN sum(complementar) END,"
        " sum(capacidade IS NULL OR medido IS NULL OR complementar IS NULL)"
        " FROM leituras WHERE inventario = ? GROUP BY produto, unidade"));
    q.addBindValue(run);
    return Executar(q);
}

bool Armazem_Historico::Escrever(const Unidade_Serie& u) {
    QSqlQuery q(banco_);
    q.prepare(
        QStringLiteral("INSERT INTO series_programadas (instante_ms, endereco,"
                       " data_solicitada) VALUES (?, ?, ?)"));
    Vincular(q, {u.instante_ms, Texto(u.serie.endereco), Texto(u.serie.data_solicitada)});
    if (!Executar(q)) {
        return false;
    }
    const qint64 serie = q.lastInsertId().toLongLong();
    q.prepare(QStringLiteral(
        "INSERT INTO registros_programados (serie, ordem, texto_data, texto_hora, texto_volume,"
        " texto_tanque, tanque, volume) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    int ordem = 0;
    for (const Registro_Programado_Recebido& r : u.serie.registros) {
        Vincular(q, {QVariant(serie), QVariant(ordem++), QVariant(Texto(r.data)),
                     QVariant(Texto(r.hora)), QVariant(Texto(r.volume)), QVariant(Texto(r.tanque)),
                     Inteiro(r.tanque), Numero(r.volume)});
        if (!Executar(q)) {
            return false;
        }
    }
    return true;
}

bool Armazem_Historico::Escrever(const Unidade_Relogio& u) {
    const Relogio_Recebido& r = u.relogio;
    const std::optional<qint64> deriva = Deriva_Relogio_s(r, u.instante_ms);
    QSqlQuery q(banco_);
    q.prepare(QStringLiteral(
        "INSERT INTO relogio (instante_ms, endereco, texto_hora, texto_data, texto_dia, quadro,"
        " deriva_s) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    Vincular(q, {QVariant(u.instante_ms), QVariant(Texto(r.endereco)), QVariant(Texto(r.hora)),
                 QVariant(Texto(r.data)), QVariant(Texto(r.dia)), QVariant(Bytes(r.quadro)),
                 deriva ? QVariant(*deriva) : QVariant()});
    if (!Executar(q)) {
        return false;
    }
    return true;
}

bool Armazem_Historico::Escrever(const Unidade_Perdas& u) {
    QSqlQuery q(banco_);
    q.prepare(
        QStringLiteral("INSERT INTO registros_perdidos (instante_ms, registros) VALUES (?, ?)"));
    Vincular(q, {u.instante_ms, static_cast<qint64>(u.registros)});
    return Executar(q);
}

bool Armazem_Historico::Escrever(const Unidade_Contadores& u) {
    QSqlQuery q(banco_);
    q.prepare(
        QStringLiteral("INSERT INTO contadores_enlace (nome, valor) VALUES (?, ?)"
                       " ON CONFLICT (nome) DO UPDATE SET valor = valor + excluded.valor"));
    for (const Campo_Estatistica& c : Campos_Estatisticas) {
        Vincular(q, {QString::fromLatin1(c.Nome), static_cast<qint64>(u.acrescimo.*c.Membro)});
        if (!Executar(q)) {
            return false;
        }
    }
    return true;
}

}  // namespace qx7
