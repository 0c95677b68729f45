#include "history/backup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace qx7 {

namespace {

const QString Formato = QStringLiteral("yyyyMMdd-HHmmss");
const QString Prefixo = QStringLiteral("Historico-");
const QString Sufixo = QStringLiteral(".sqlite");

// The copies in the folder, oldest first (the names sort by time).
QStringList Copias(const QString& pasta) {
    return QDir(pasta).entryList({Prefixo + QStringLiteral("[0-9]*[0-9]-[0-9]*[0-9]") + Sufixo},
                                 QDir::Files, QDir::Name);
}

// When the copy of that name was made; none for a name not of a copy.
std::optional<qint64> Instante(const QString& nome) {
    const QDateTime quando =
        QDateTime::fromString(nome.mid(Prefixo.size(), Formato.size()), Formato);
    return quando.isValid() ? std::optional(quando.toMSecsSinceEpoch()) : std::nullopt;
}

}  // namespace

Copias_Seguranca::Copias_Seguranca(QString pasta) : pasta_(std::move(pasta)) {}

bool Copias_Seguranca::Devida(qint64 agora_ms) {
    if (!ultima_ms_) {
        const QStringList copias = Copias(pasta_);
        ultima_ms_ = copias.isEmpty() ? std::nullopt : Instante(copias.back());
        ultima_ms_ = ultima_ms_.value_or(agora_ms - Intervalo_Copias_ms);
    }
    // A clock set back by more than a day makes the next copy due at once.
    return agora_ms >= proxima_tentativa_ms_ &&
           (agora_ms - *ultima_ms_ >= Intervalo_Copias_ms || agora_ms < *ultima_ms_);
}

Resultado_Copia Copias_Seguranca::Fazer(qint64 agora_ms, const Copiar& copiar) {
    const QString nome =
        Prefixo + QDateTime::fromMSecsSinceEpoch(agora_ms).toString(Formato) + Sufixo;
    Resultado_Copia copia{.feita = false, .arquivo = QDir(pasta_).filePath(nome), .erro = {}};
    const QString parcial = copia.arquivo + QStringLiteral(".parcial");
    QFile::remove(parcial);
    // Written under another name first: a copy cut short is never taken for a whole one.
    copia.feita = QDir().mkpath(pasta_) && copiar(parcial, copia.erro) &&
                  (QFile::exists(copia.arquivo) || QFile::rename(parcial, copia.arquivo));
    QFile::remove(parcial);
    if (!copia.feita) {
        proxima_tentativa_ms_ = agora_ms + Espera_Apos_Falha_Copia_ms;
        if (copia.erro.isEmpty()) {
            copia.erro = QStringLiteral("a pasta %1 não pode ser usada")
                             .arg(QDir::toNativeSeparators(pasta_));
        }
        return copia;
    }
    ultima_ms_ = agora_ms;
    const QStringList copias = Copias(pasta_);
    for (qsizetype i = 0; i + Copias_Mantidas < copias.size(); ++i) {
        QFile::remove(QDir(pasta_).filePath(copias[i]));
    }
    return copia;
}

}  // namespace qx7
