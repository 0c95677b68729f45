#include "history/connection.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace qx7 {

namespace {

QString Nome_Unico() {
    static QAtomicInteger<quint64> contador = 0;
    return QStringLiteral("qx7-historico-%1").arg(contador.fetchAndAddRelaxed(1));
}

// What the writer leaves of the -wal file after a checkpoint: a few busy minutes' worth, instead
// of the largest it ever grew to.
constexpr int Limite_Diario_Bytes = 4 * 1024 * 1024;

// FULL: a unit counted as written survives a power cut (NORMAL may roll the last ones back).
bool Preparar_Escrita(QSqlQuery& q) {
    return q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) &&
           q.exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
           q.exec(QStringLiteral("PRAGMA journal_size_limit=%1").arg(Limite_Diario_Bytes));
}

// The first statement is where SQLite finds out that a file is not a database, or is locked.
bool Preparar(QSqlDatabase& banco, Modo_Conexao modo, QSqlError& erro) {
    QSqlQuery q(banco);
    const bool ok = modo == Modo_Conexao::Escrita
                        ? Preparar_Escrita(q)
                        : q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!ok) {
        erro = q.lastError();
    }
    return ok;
}

}  // namespace

Conexao_Historico::Conexao_Historico(const QString& arquivo, Modo_Conexao modo,
                                     int espera_bloqueio_ms)
    : nome_(Nome_Unico()), banco_(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome_)) {
    if (!banco_.isValid()) {
        erro_ = QStringLiteral("o driver SQLite do Qt não está instalado");
        return;
    }
    if (modo == Modo_Conexao::Leitura && !QFileInfo::exists(arquivo)) {
        erro_ = QStringLiteral("o arquivo %1 não existe").arg(arquivo);
        return;
    }
    banco_.setDatabaseName(arquivo);
    const QString espera = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(espera_bloqueio_ms);
    banco_.setConnectOptions(
        modo == Modo_Conexao::Leitura ? QStringLiteral("QSQLITE_OPEN_READONLY;") + espera : espera);
    bool ok = banco_.open();
    if (!ok) {
        erro_sql_ = banco_.lastError();
    } else if (!(ok = Preparar(banco_, modo, erro_sql_))) {
        banco_.close();
    }
    erro_ = erro_sql_.text();
    if (!ok && erro_.isEmpty()) {
        erro_ = QStringLiteral("erro desconhecido");
    }
}

Conexao_Historico::~Conexao_Historico() {
    banco_.close();
    banco_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(nome_);
}

}  // namespace qx7
