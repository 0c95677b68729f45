#include "publish/payloads.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QSqlField>
#include <QSqlRecord>
#include <cmath>

#include "gauge/number_format.h"
#include "gauge/numeric_text.h"
#include "text/qt_1252.h"

namespace qx7 {

namespace {

constexpr double Centesimos = 100.0;
const QString Sufixo_Instante = QStringLiteral("_ms");

QJsonValue Numero(const std::optional<double>& valor) {
    return valor && std::isfinite(*valor) ? QJsonValue(*valor) : QJsonValue(QJsonValue::Null);
}

// To two decimals, as the panel shows it.
std::optional<double> Em_Centesimos(const std::optional<double>& percentual) {
    if (!percentual) {
        return std::nullopt;
    }
    return std::round(Centesimos * *percentual) / Centesimos;
}

QJsonValue Valor_Da_Coluna(const QSqlField& campo) {
    if (campo.isNull()) {
        return QJsonValue::Null;
    }
    if (campo.name().endsWith(Sufixo_Instante)) {
        return Instante_Iso(campo.value().toLongLong());
    }
    switch (campo.value().metaType().id()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
            return QJsonValue(campo.value().toLongLong());
        case QMetaType::Double:
            return Numero(campo.value().toDouble());
        default:
            return campo.value().toString();
    }
}

}  // namespace

QString Instante_Iso(qint64 instante_ms) {
    return QDateTime::fromMSecsSinceEpoch(instante_ms, Qt::UTC).toString(Qt::ISODateWithMs);
}

QString Id_Leitura(qint64 instante_ms, int tanque) {
    return QStringLiteral("%1-%2").arg(instante_ms).arg(tanque);
}

QString Id_Linha(qint64 instante_ms, qint64 id) {
    return QStringLiteral("%1-%2").arg(instante_ms).arg(id);
}

QByteArray Compacto(const QJsonObject& objeto) {
    return QJsonDocument(objeto).toJson(QJsonDocument::Compact);
}

QByteArray Json_Leitura(const Leitura_Historico& l) {
    return Compacto({
        {QStringLiteral("id"), Id_Leitura(l.instante_ms, l.tanque)},
        {QStringLiteral("instante"), Instante_Iso(l.instante_ms)},
        {QStringLiteral("tanque"), l.tanque},
        {QStringLiteral("produto"), l.produto},
        {QStringLiteral("densidade"), Numero(l.densidade)},
        {QStringLiteral("capacidade"), Numero(l.capacidade)},
        {QStringLiteral("medido"), Numero(l.medido)},
        {QStringLiteral("complementar"), Numero(l.complementar)},
        {QStringLiteral("unidade"), l.unidade},
        {QStringLiteral("percentual"), Numero(Em_Centesimos(l.percentual))},
        {QStringLiteral("hora_medidor"), l.texto_hora},
        {QStringLiteral("data_medidor"), l.texto_data},
        {QStringLiteral("comando"), l.comando},
    });
}

// As the history keeps it: a tank number that is not one is 0, a value that is not a number
// has none.
Leitura_Historico Leitura_Ao_Vivo(const Leitura_Recebida& r, qint64 instante_ms) {
    int tanque = 0;
    if (!Inteiro_Par(Valor_Numerico(r.tanque), tanque)) {
        tanque = 0;
    }
    const std::optional<double> medido = Valor_Numerico_Exato(r.medido);
    const std::optional<double> complementar = Valor_Numerico_Exato(r.complementar);
    return {
        .id = 0,
        .instante_ms = instante_ms,
        .endereco = De_1252(r.endereco),
        .comando = De_1252(r.comando),
        .tanque = tanque,
        .produto = De_1252(r.produto),
        .densidade = Valor_Numerico_Exato(r.densidade),
        .capacidade = Valor_Numerico_Exato(r.capacidade),
        .medido = medido,
        .complementar = complementar,
        .unidade = r.peso ? QStringLiteral("P") : QStringLiteral("V"),
        .texto_hora = De_1252(r.hora),
        .texto_data = De_1252(r.data),
        .percentual =
            medido && complementar ? Valor_Percentual(*medido, *complementar) : std::nullopt,
    };
}

QJsonObject Objeto_Da_Linha(const QSqlRecord& linha) {
    QJsonObject objeto;
    for (int i = 0; i < linha.count(); ++i) {
        const QSqlField campo = linha.field(i);
        QString nome = campo.name();
        if (nome.endsWith(Sufixo_Instante)) {
            nome.chop(Sufixo_Instante.size());
        }
        objeto.insert(nome, Valor_Da_Coluna(campo));
    }
    return objeto;
}

QByteArray Json_Estado(bool online, std::optional<qint64> instante_ms) {
    QJsonObject estado{
        {QStringLiteral("estado"), online ? QStringLiteral("online") : QStringLiteral("offline")}};
    if (instante_ms) {
        estado.insert(QStringLiteral("instante"), Instante_Iso(*instante_ms));
    }
    return Compacto(estado);
}

QByteArray Json_Enlace(const Estatisticas_Enlace& contadores, qint64 desde_ms, qint64 instante_ms) {
    QJsonObject enlace{{QStringLiteral("instante"), Instante_Iso(instante_ms)},
                       {QStringLiteral("desde"), Instante_Iso(desde_ms)}};
    for (const Campo_Estatistica& campo : Campos_Estatisticas) {
        enlace.insert(QString::fromLatin1(campo.Nome),
                      static_cast<qint64>(contadores.*campo.Membro));
    }
    return Compacto(enlace);
}

}  // namespace qx7
