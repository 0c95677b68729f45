#include "history/repair.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include "history/connection.h"
#include "history/row_copy.h"
#include "history/schema.h"

namespace qx7 {

namespace {

const QStringList Diarios = {QStringLiteral("-wal"), QStringLiteral("-shm")};

bool Integro(QSqlDatabase& banco) {
    QSqlQuery q(banco);
    return q.exec(QStringLiteral("PRAGMA quick_check")) && q.next() &&
           q.value(0).toString() == QStringLiteral("ok") && Versao_Esquema(banco) >= 0;
}

bool Reindexar(const QString& arquivo) {
    Conexao_Historico conexao(arquivo, Modo_Conexao::Escrita);
    return conexao.Aberta() && QSqlQuery(conexao.Banco()).exec(QStringLiteral("REINDEX")) &&
           Integro(conexao.Banco());
}

void Remover_Com_Diarios(const QString& arquivo) {
    for (const QString& sufixo : Diarios) {
        QFile::remove(arquivo + sufixo);
    }
    QFile::remove(arquivo);
}

// The file and its journal side files keep their bytes under the new name.
bool Mover_Com_Diarios(const QString& de, const QString& para) {
    for (const QString& sufixo : Diarios) {
        if (QFile::exists(de + sufixo)) {
            QFile::rename(de + sufixo, para + sufixo);
        }
    }
    return QFile::rename(de, para);
}

// Historico-corrompido-AAAAMMDD-HHMMSS.sqlite beside it, with a number when that is taken.
QString Nome_Guardado(const QString& arquivo, const QDateTime& agora) {
    const QDir pasta = QFileInfo(arquivo).dir();
    const QString base = QStringLiteral("Historico-corrompido-%1")
                             .arg(agora.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString nome = pasta.filePath(base + QStringLiteral(".sqlite"));
    for (int n = 2; QFile::exists(nome); ++n) {
        nome = pasta.filePath(QStringLiteral("%1-%2.sqlite").arg(base).arg(n));
    }
    return nome;
}

// The ids the damaged file had handed out stay spent, also those of rows that were lost: whoever
// follows a table by id never sees one again. The copy's own inserts already moved the new
// file's counters up to the rows it kept. A sequence that cannot be read is left as the copy set
// it.
void Manter_Sequencias(QSqlDatabase& banco) {
    QSqlQuery q(banco);
    q.exec(QStringLiteral(
        "UPDATE main.sqlite_sequence SET seq = max(seq, coalesce((SELECT d.seq FROM"
        " danificado.sqlite_sequence d WHERE d.name = main.sqlite_sequence.name), 0))"));
    q.exec(QStringLiteral(
        "INSERT INTO main.sqlite_sequence (name, seq) SELECT name, seq FROM"
        " danificado.sqlite_sequence WHERE name NOT IN (SELECT name FROM main.sqlite_sequence)"));
}

struct Copia_Arquivo {
    bool feita = false;  // the new file holds what could be read
    Copia_Tabela total;
};

// Every table of the current layout, the rows `danificado` still has of it.
Copia_Arquivo Copiar_Para(const QString& danificado, const QString& novo) {
    Conexao_Historico conexao(novo, Modo_Conexao::Escrita);
    if (!conexao.Aberta()) {
        return {};
    }
    QSqlDatabase& banco = conexao.Banco();
    QString erro;
    QSqlQuery q(banco);
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS danificado"));
    q.addBindValue(danificado);
    if (!Migrar_Esquema(banco, erro)) {
        return {};
    }
    if (!q.exec()) {
        return {.feita = true, .total = {.linhas = 0, .completa = false}};  // nothing to read
    }
    QStringList tabelas;
    q.exec(
        QStringLiteral("SELECT name FROM main.sqlite_master WHERE type = 'table'"
                       " AND name <> 'versao_esquema' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (q.next()) {
        tabelas << q.value(0).toString();
    }
    // Each batch commits on its own: a page that cannot be read spoils the transaction it is
    // read in. The file is made durable once, at the end.
    q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    Copia_Arquivo copia{.feita = true, .total = {}};
    for (const QString& tabela : tabelas) {
        const Copia_Tabela parte = Copiar_Legiveis(banco, QStringLiteral("danificado"), tabela);
        copia.total.linhas += parte.linhas;
        copia.total.completa = copia.total.completa && parte.completa;
        if (parte.interrompida) {
            return {};
        }
    }
    Manter_Sequencias(banco);
    copia.feita = q.exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
                  q.exec(QStringLiteral("PRAGMA main.wal_checkpoint(TRUNCATE)"));
    q.exec(QStringLiteral("DETACH DATABASE danificado"));
    return copia;
}

}  // namespace

Resultado_Reparo Guardar_A_Parte(const QString& arquivo, const QDateTime& agora) {
    const QString destino = Nome_Guardado(arquivo, agora);
    if (!Mover_Com_Diarios(arquivo, destino)) {
        return {};
    }
    return {.tipo = Resultado_Reparo::Tipo::Guardado, .linhas = 0, .guardado_como = destino};
}

Resultado_Reparo Reparar_Arquivo(const QString& arquivo, const QDateTime& agora) {
    if (Reindexar(arquivo)) {
        return {.tipo = Resultado_Reparo::Tipo::Reindexado, .linhas = 0, .guardado_como = {}};
    }
    const QString novo =
        QFileInfo(arquivo).dir().filePath(QStringLiteral("Historico-recuperando.sqlite"));
    Remover_Com_Diarios(novo);  // what an earlier attempt cut short left
    const Copia_Arquivo copia = Copiar_Para(arquivo, novo);
    if (!copia.feita || copia.total.linhas == 0) {
        Remover_Com_Diarios(novo);
        return copia.feita ? Guardar_A_Parte(arquivo, agora) : Resultado_Reparo{};
    }
    // The damaged file goes aside before the copy takes its name, so no step loses both.
    Resultado_Reparo resultado = Guardar_A_Parte(arquivo, agora);
    if (resultado.tipo == Resultado_Reparo::Tipo::Falhou) {
        Remover_Com_Diarios(novo);
        return resultado;
    }
    if (!QFile::rename(novo, arquivo)) {
        Mover_Com_Diarios(resultado.guardado_como, arquivo);
        Remover_Com_Diarios(novo);
        return {};
    }
    resultado.linhas = copia.total.linhas;
    if (copia.total.completa) {
        Remover_Com_Diarios(resultado.guardado_como);
        resultado.tipo = Resultado_Reparo::Tipo::Copiado;
        resultado.guardado_como.clear();
    }
    return resultado;
}

}  // namespace qx7
