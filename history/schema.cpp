#include "history/schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <array>
#include <span>

namespace qx7 {

namespace {

// Times of the computer are milliseconds since 1970 UTC. Fields of the gauge are kept as the
// texts received (converted from the line's code page), numbers beside them as parsed.
constexpr const char* Versao_1[] = {
    "CREATE TABLE versao_esquema (versao INTEGER NOT NULL)",
    "INSERT INTO versao_esquema (versao) VALUES (0)",
    "CREATE TABLE inventarios ("
    " id INTEGER PRIMARY KEY, instante_ms INTEGER NOT NULL, endereco TEXT NOT NULL,"
    " num_tanques INTEGER NOT NULL)",
    "CREATE TABLE leituras ("
    " id INTEGER PRIMARY KEY, instante_ms INTEGER NOT NULL, endereco TEXT NOT NULL,"
    " comando TEXT NOT NULL, inventario INTEGER REFERENCES inventarios(id),"
    " tanque INTEGER NOT NULL, produto TEXT NOT NULL,"
    " densidade REAL, capacidade REAL, medido REAL, complementar REAL,"
    " unidade TEXT NOT NULL CHECK (unidade IN ('V', 'P')),"
    " texto_tanque TEXT NOT NULL, texto_densidade TEXT NOT NULL,"
    " texto_capacidade TEXT NOT NULL, texto_medido TEXT NOT NULL,"
    " texto_complementar TEXT NOT NULL, texto_hora TEXT NOT NULL, texto_data TEXT NOT NULL)",
    "CREATE INDEX leituras_por_tanque ON leituras (tanque, instante_ms)",
    "CREATE INDEX leituras_por_inventario ON leituras (inventario)",
    "CREATE TABLE totais_inventario ("
    " inventario INTEGER NOT NULL REFERENCES inventarios(id), produto TEXT NOT NULL,"
    " unidade TEXT NOT NULL, tanques INTEGER NOT NULL,"
    " capacidade REAL NOT NULL, medido REAL NOT NULL, complementar REAL NOT NULL,"
    " PRIMARY KEY (inventario, produto, unidade))",
    "CREATE TABLE series_programadas ("
    " id INTEGER PRIMARY KEY, instante_ms INTEGER NOT NULL, endereco TEXT NOT NULL,"
    " data_solicitada TEXT NOT NULL)",
    "CREATE TABLE registros_programados ("
    " serie INTEGER NOT NULL REFERENCES series_programadas(id), ordem INTEGER NOT NULL,"
    " texto_data TEXT NOT NULL, texto_hora TEXT NOT NULL, texto_volume TEXT NOT NULL,"
    " texto_tanque TEXT NOT NULL, tanque INTEGER, volume REAL,"
    " PRIMARY KEY (serie, ordem))",
    "CREATE TABLE relogio ("
    " id INTEGER PRIMARY KEY, instante_ms INTEGER NOT NULL, endereco TEXT NOT NULL,"
    " texto_hora TEXT NOT NULL, texto_data TEXT NOT NULL, texto_dia TEXT NOT NULL)",
};

// Version 2: the whole frame as received beside its fields, the clock's drift, and the link's
// counters summed over every session since the file began.
constexpr const char* Versao_2[] = {
    "ALTER TABLE leituras ADD COLUMN quadro BLOB",
    "ALTER TABLE relogio ADD COLUMN quadro BLOB",
    "ALTER TABLE relogio ADD COLUMN deriva_s INTEGER",
    "CREATE TABLE contadores_enlace (nome TEXT PRIMARY KEY, valor INTEGER NOT NULL)",
};

// Version 3: what the chart reads of the readings, by time, in an index of its own: a long
// period is walked in order over a few narrow pages instead of every wide row once per tank.
constexpr const char* Versao_3[] = {
    "CREATE INDEX leituras_grafico ON leituras (instante_ms, tanque, medido, complementar)",
};

// Version 4: a value the gauge sent that is not a number has none (NULL beside its text), so a
// product's total that takes one in has none either and says how many of its tanks had none; a
// run says how many of its tanks never answered; units the writer had to drop are counted.
constexpr const char* Versao_4[] = {
    "ALTER TABLE inventarios ADD COLUMN tanques_ausentes INTEGER NOT NULL DEFAULT 0",
    "CREATE TABLE totais_inventario_4 ("
    " inventario INTEGER NOT NULL REFERENCES inventarios(id), produto TEXT NOT NULL,"
    " unidade TEXT NOT NULL, tanques INTEGER NOT NULL,"
    " capacidade REAL, medido REAL, complementar REAL,"
    " tanques_sem_valor INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY (inventario, produto, unidade))",
    "INSERT INTO totais_inventario_4 (inventario, produto, unidade, tanques, capacidade, medido,"
    " complementar) SELECT inventario, produto, unidade, tanques, capacidade, medido,"
    " complementar FROM totais_inventario",
    "DROP TABLE totais_inventario",
    "ALTER TABLE totais_inventario_4 RENAME TO totais_inventario",
    "CREATE TABLE registros_perdidos ("
    " id INTEGER PRIMARY KEY, instante_ms INTEGER NOT NULL, registros INTEGER NOT NULL)",
};

// Version 5: the alarms (one row per occurrence, kept up to date as it is cleared and
// acknowledged), every raise, clear and acknowledgement as an event of its own, and the
// deliveries found in the readings. Events and deliveries never reuse an id, so whoever follows
// them in order of id misses none.
constexpr const char* Versao_5[] = {
    "CREATE TABLE alarmes ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, tanque INTEGER, tipo TEXT NOT NULL,"
    " limite REAL, valor REAL, levantado_ms INTEGER NOT NULL, normalizado_ms INTEGER,"
    " reconhecido_ms INTEGER, reconhecido_por TEXT)",
    "CREATE INDEX alarmes_ocorrencia ON alarmes (levantado_ms, tipo)",
    "CREATE TABLE eventos_alarme ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, alarme INTEGER NOT NULL REFERENCES alarmes(id),"
    " evento TEXT NOT NULL CHECK (evento IN ('levantado', 'normalizado', 'reconhecido')),"
    " instante_ms INTEGER NOT NULL)",
    "CREATE TABLE descargas ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, tanque INTEGER NOT NULL,"
    " inicio_ms INTEGER NOT NULL, fim_ms INTEGER NOT NULL, volume_antes REAL NOT NULL,"
    " volume_depois REAL NOT NULL, quantidade REAL NOT NULL,"
    " unidade TEXT NOT NULL CHECK (unidade IN ('V', 'P')))",
};

const std::array<std::span<const char* const>, Versao_Esquema_Atual> Passos = {
    std::span<const char* const>(Versao_1), std::span<const char* const>(Versao_2),
    std::span<const char* const>(Versao_3), std::span<const char* const>(Versao_4),
    std::span<const char* const>(Versao_5)};

bool Executar(QSqlDatabase& db, const QString& sql, QString& erro) {
    QSqlQuery q(db);
    if (q.exec(sql)) {
        return true;
    }
    erro = q.lastError().text();
    return false;
}

bool Aplicar_Passo(QSqlDatabase& db, int passo, QString& erro) {
    if (!db.transaction()) {
        erro = db.lastError().text();
        return false;
    }
    for (const char* sql : Passos[static_cast<std::size_t>(passo)]) {
        if (!Executar(db, QString::fromLatin1(sql), erro)) {
            db.rollback();
            return false;
        }
    }
    if (!Executar(db, QStringLiteral("UPDATE versao_esquema SET versao = %1").arg(passo + 1),
                  erro) ||
        !db.commit()) {
        if (erro.isEmpty()) {
            erro = db.lastError().text();
        }
        db.rollback();
        return false;
    }
    return true;
}

}  // namespace

int Versao_Esquema(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*), sum(name = 'versao_esquema') FROM sqlite_master"
                               " WHERE type = 'table'")) ||
        !q.next()) {
        return -1;
    }
    if (q.value(1).toInt() == 0) {
        return q.value(0).toInt() == 0 ? 0 : -1;
    }
    if (!q.exec(QStringLiteral("SELECT versao FROM versao_esquema")) || !q.next()) {
        return -1;
    }
    return q.value(0).toInt();
}

bool Migrar_Esquema(QSqlDatabase& db, QString& erro, int ate) {
    const int versao = Versao_Esquema(db);
    if (versao < 0 || versao > Versao_Esquema_Atual) {
        erro = QStringLiteral("versão do arquivo desconhecida");
        return false;
    }
    for (int passo = versao; passo < ate; ++passo) {
        if (!Aplicar_Passo(db, passo, erro)) {
            return false;
        }
    }
    return true;
}

}  // namespace qx7
