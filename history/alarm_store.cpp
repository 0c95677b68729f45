// The alarms' and the deliveries' share of the store: an occurrence's row and the event that
// changes it are written in the one transaction of the unit.

#include <QSqlQuery>
#include <QVariant>
#include <optional>

#include "history/sql_helpers.h"
#include "history/store.h"

namespace qx7 {

namespace {

const char* Nome_Evento(Evento_Alarme evento) {
    switch (evento) {
        case Evento_Alarme::Levantado:
            return "levantado";
        case Evento_Alarme::Normalizado:
            return "normalizado";
        case Evento_Alarme::Reconhecido:
            return "reconhecido";
    }
    return "levantado";
}

// The gauge's own alarms belong to no tank: NULL.
QVariant Tanque(int tanque) {
    return tanque == Sem_Tanque ? QVariant(QMetaType::fromType<int>()) : QVariant(tanque);
}

// The gauge's instants are std::int64_t, which QVariant does not take as such.
QVariant Ms(std::int64_t instante_ms) {
    return QVariant(static_cast<qint64>(instante_ms));
}

QVariant Tipo(Tipo_Alarme tipo) {
    return QString::fromUtf8(Descrever(tipo).nome);
}

}  // namespace

std::optional<qint64> Armazem_Historico::Ocorrencia(const Alarme& a, bool& ja_gravada) {
    QSqlQuery q(banco_);
    q.prepare(QStringLiteral(
        "SELECT id FROM alarmes WHERE levantado_ms = ? AND tipo = ? AND tanque IS ?"));
    Vincular(q, {Ms(a.levantado_ms), Tipo(a.tipo), Tanque(a.tanque)});
    if (!Executar(q)) {
        return std::nullopt;
    }
    ja_gravada = q.next();
    if (ja_gravada) {
        return q.value(0).toLongLong();
    }
    q.prepare(
        QStringLiteral("INSERT INTO alarmes (tanque, tipo, limite, valor, levantado_ms)"
                       " VALUES (?, ?, ?, ?, ?)"));
    Vincular(q, {Tanque(a.tanque), Tipo(a.tipo), QVariant(a.limite), QVariant(a.valor),
                 Ms(a.levantado_ms)});
    if (!Executar(q)) {
        return std::nullopt;
    }
    return q.lastInsertId().toLongLong();
}

// A clear or an acknowledgement whose raise never reached the file (dropped from a full queue,
// or a file started anew) brings the occurrence with it; a raise already there adds nothing.
bool Armazem_Historico::Escrever(const Unidade_Alarme& u) {
    const Mudanca_Alarme& m = u.mudanca;
    bool ja_gravada = false;
    const std::optional<qint64> id = Ocorrencia(m.alarme, ja_gravada);
    if (!id) {
        return false;
    }
    if (ja_gravada && m.evento == Evento_Alarme::Levantado) {
        return true;
    }
    QSqlQuery q(banco_);
    if (m.evento == Evento_Alarme::Normalizado) {
        q.prepare(QStringLiteral("UPDATE alarmes SET normalizado_ms = ? WHERE id = ?"));
        Vincular(q, {Ms(m.instante_ms), QVariant(*id)});
    } else if (m.evento == Evento_Alarme::Reconhecido) {
        q.prepare(QStringLiteral(
            "UPDATE alarmes SET reconhecido_ms = ?, reconhecido_por = ? WHERE id = ?"));
        Vincular(q, {Ms(m.instante_ms), QString::fromStdString(m.alarme.reconhecido_por),
                     QVariant(*id)});
    }
    if (m.evento != Evento_Alarme::Levantado && !Executar(q)) {
        return false;
    }
    q.prepare(QStringLiteral(
        "INSERT INTO eventos_alarme (alarme, evento, instante_ms) VALUES (?, ?, ?)"));
    Vincular(q, {QVariant(*id), QString::fromLatin1(Nome_Evento(m.evento)), Ms(m.instante_ms)});
    return Executar(q);
}

bool Armazem_Historico::Escrever(const Unidade_Descarga& u) {
    const Descarga& d = u.descarga;
    QSqlQuery q(banco_);
    q.prepare(QStringLiteral(
        "INSERT INTO descargas (tanque, inicio_ms, fim_ms, volume_antes, volume_depois,"
        " quantidade, unidade) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    Vincular(q, {QVariant(u.tanque), Ms(d.inicio_ms), Ms(d.fim_ms), QVariant(d.antes),
                 QVariant(d.depois), QVariant(d.Quantidade()),
                 QString(u.peso ? QStringLiteral("P") : QStringLiteral("V"))});
    return Executar(q);
}

}  // namespace qx7
