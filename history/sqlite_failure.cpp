#include "history/sqlite_failure.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

namespace qx7 {

namespace {

// The primary result code (SQLITE_BUSY, …), without the extended bits.
int Codigo(const QSqlError& erro) {
    bool ok = false;
    const int codigo = erro.nativeErrorCode().toInt(&ok);
    return ok ? codigo & 0xFF : -1;
}

QString Motivo_Pasta(const QString& arquivo) {
    const QFileInfo pasta(QFileInfo(arquivo).absolutePath());
    if (!pasta.isDir()) {
        return QStringLiteral("a pasta %1 não existe")
            .arg(QDir::toNativeSeparators(pasta.filePath()));
    }
    return QStringLiteral("sem permissão de escrita em %1")
        .arg(QDir::toNativeSeparators(QFileInfo(arquivo).absoluteFilePath()));
}

}  // namespace

Natureza_Falha Natureza(const QSqlError& erro) {
    switch (Codigo(erro)) {
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return Natureza_Falha::Arquivo_Danificado;
        case SQLITE_TOOBIG:
        case SQLITE_CONSTRAINT:
        case SQLITE_MISMATCH:
        case SQLITE_RANGE:
            return Natureza_Falha::Unidade_Recusada;
        default:
            return Natureza_Falha::Transitoria;
    }
}

QString Motivo_Falha(const QSqlError& erro, const QString& arquivo) {
    const QString nome = QDir::toNativeSeparators(arquivo);
    switch (Codigo(erro)) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("o arquivo %1 está bloqueado por outro programa").arg(nome);
        case SQLITE_FULL:
            return QStringLiteral("não há mais espaço para o arquivo %1").arg(nome);
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
            return Motivo_Pasta(arquivo);
        case SQLITE_IOERR:
            return QStringLiteral("erro de leitura ou gravação no arquivo %1").arg(nome);
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return QStringLiteral("o arquivo %1 está danificado").arg(nome);
        default:
            return QStringLiteral("erro no arquivo %1: %2").arg(nome, erro.text());
    }
}

QSqlError Erro_Do_Arquivo(const QString& texto) {
    return QSqlError({}, texto, QSqlError::StatementError);
}

QSqlError Erro_Arquivo_Danificado(const QString& texto) {
    return QSqlError({}, texto, QSqlError::StatementError, QString::number(SQLITE_CORRUPT));
}

}  // namespace qx7
