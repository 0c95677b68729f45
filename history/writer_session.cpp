#include "history/writer_session.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include "history/schema.h"

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

// SQLite's verdict on the file; none, and `erro` filled, when the check itself could not run
// (an I/O error is not a corrupt file).
std::optional<bool> Integro(QSqlDatabase& banco, QSqlError& erro) {
    QSqlQuery q(banco);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        erro = q.lastError();
        return std::nullopt;
    }
    return q.value(0).toString() == QStringLiteral("ok");
}

// The file and its journal side files keep their bytes under the new name.
bool Mover_Com_Diarios(const QString& de, const QString& para) {
    for (const QString& sufixo : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFile::exists(de + sufixo)) {
            QFile::rename(de + sufixo, para + sufixo);
        }
    }
    return QFile::rename(de, para);
}

}  // namespace

std::optional<QString> Motivo_Falha(const QSqlError& erro, const QString& arquivo) {
    const QString nome = QDir::toNativeSeparators(arquivo);
    switch (Codigo(erro)) {
        case Corrompido:
        case Nao_E_Banco:
            return std::nullopt;
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
        default:
            return QStringLiteral("erro no arquivo %1: %2").arg(nome, erro.text());
    }
}

QString Nome_Corrompido(const QString& arquivo) {
    const QFileInfo info(arquivo);
    return info.dir().filePath(
        QStringLiteral("Historico-corrompido-%1.sqlite")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}

Sessao_Gravacao::Sessao_Gravacao(QString arquivo, int limite_paginas)
    : arquivo_(std::move(arquivo)), limite_paginas_(limite_paginas) {}

bool Sessao_Gravacao::Abrir_Arquivo(QSqlError& erro, QString& motivo) {
    armazem_.reset();
    conexao_ = std::make_unique<Conexao_Historico>(arquivo_, Modo_Conexao::Escrita);
    if (!conexao_->Aberta()) {
        erro = conexao_->Erro_Sql();
        return false;
    }
    QSqlDatabase& banco = conexao_->Banco();
    if (limite_paginas_ > 0) {
        QSqlQuery(banco).exec(QStringLiteral("PRAGMA max_page_count = %1").arg(limite_paginas_));
    }
    const std::optional<bool> integro = Integro(banco, erro);
    if (!integro) {
        return false;
    }
    if (!*integro || Versao_Esquema(banco) < 0) {
        erro = QSqlError({}, QStringLiteral("arquivo danificado"), QSqlError::StatementError,
                         QString::number(Corrompido));
        return false;
    }
    QString falha;
    if (!Migrar_Esquema(banco, falha)) {
        motivo = QStringLiteral("não foi possível preparar o arquivo %1: %2")
                     .arg(QDir::toNativeSeparators(arquivo_), falha);
        return false;
    }
    armazem_ = std::make_unique<Armazem_Historico>(banco);
    return true;
}

bool Sessao_Gravacao::Abrir(QString& motivo, QString& aviso) {
    QSqlError erro;
    if (Abrir_Arquivo(erro, motivo)) {
        return true;
    }
    if (!motivo.isEmpty()) {
        return false;
    }
    const std::optional<QString> causa = Motivo_Falha(erro, arquivo_);
    if (causa) {
        motivo = *causa;
        return false;
    }
    return Renovar(motivo, aviso);
}

bool Sessao_Gravacao::Renovar(QString& motivo, QString& aviso) {
    conexao_.reset();
    armazem_.reset();
    const QString destino = Nome_Corrompido(arquivo_);
    if (!Mover_Com_Diarios(arquivo_, destino)) {
        motivo = QStringLiteral("o arquivo %1 está danificado e não pôde ser guardado à parte")
                     .arg(QDir::toNativeSeparators(arquivo_));
        return false;
    }
    aviso = QStringLiteral(
                "O arquivo de histórico estava danificado: foi guardado como %1 e um novo foi "
                "iniciado.")
                .arg(QDir::toNativeSeparators(destino));
    QSqlError erro;
    if (Abrir_Arquivo(erro, motivo)) {
        return true;
    }
    if (motivo.isEmpty()) {
        motivo = Motivo_Falha(erro, arquivo_).value_or(erro.text());
    }
    return false;
}

bool Sessao_Gravacao::Gravar(const Unidade_Historico& unidade, QString& motivo, QString& aviso) {
    QSqlError erro;
    if (armazem_->Gravar(unidade, erro)) {
        return true;
    }
    if (const std::optional<QString> causa = Motivo_Falha(erro, arquivo_)) {
        motivo = *causa;
        return false;
    }
    if (!Renovar(motivo, aviso)) {
        return false;
    }
    if (armazem_->Gravar(unidade, erro)) {
        return true;
    }
    motivo = Motivo_Falha(erro, arquivo_).value_or(erro.text());
    return false;
}

}  // namespace qx7
