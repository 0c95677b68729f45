#include "history/sqlite_failure.h"

#include <QDir>
#include <QFileInfo>

namespace qx7 {

namespace {

// SQLite's primary result codes.
enum Codigo_Sqlite {
    Ocupado = 5,
    Travado = 6,
    Somente_Leitura = 8,
    Erro_Es = 10,
    Corrompido = 11,
    Cheio = 13,
    Nao_Abre = 14,
    Grande_Demais = 18,
    Restricao = 19,
    Tipo_Errado = 20,
    Fora_Da_Faixa = 25,
    Nao_E_Banco = 26,
};

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
        case Corrompido:
        case Nao_E_Banco:
            return Natureza_Falha::Arquivo_Danificado;
        case Grande_Demais:
        case Restricao:
        case Tipo_Errado:
        case Fora_Da_Faixa:
            return Natureza_Falha::Unidade_Recusada;
        default:
            return Natureza_Falha::Transitoria;
    }
}

QString Motivo_Falha(const QSqlError& erro, const QString& arquivo) {
    const QString nome = QDir::toNativeSeparators(arquivo);
    switch (Codigo(erro)) {
        case Ocupado:
        case Travado:
            return QStringLiteral("o arquivo %1 está bloqueado por outro programa").arg(nome);
        case Cheio:
            return QStringLiteral("não há mais espaço para o arquivo %1").arg(nome);
        case Somente_Leitura:
        case Nao_Abre:
            return Motivo_Pasta(arquivo);
        case Erro_Es:
            return QStringLiteral("erro de leitura ou gravação no arquivo %1").arg(nome);
        case Corrompido:
        case Nao_E_Banco:
            return QStringLiteral("o arquivo %1 está danificado").arg(nome);
        default:
            return QStringLiteral("erro no arquivo %1: %2").arg(nome, erro.text());
    }
}

QSqlError Erro_Do_Arquivo(const QString& texto) {
    return QSqlError({}, texto, QSqlError::StatementError);
}

QSqlError Erro_Arquivo_Danificado(const QString& texto) {
    return QSqlError({}, texto, QSqlError::StatementError, QString::number(Corrompido));
}

}  // namespace qx7
