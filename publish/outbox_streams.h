#pragma once
// What each stream of the history publishes: its table, its topic under the station's, and
// how a batch of its rows after a given id becomes messages, in the order of the ids.

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QtGlobal>
#include <vector>

#include "publish/send_window.h"

namespace qx7 {

struct Linha_Fluxo {
    qint64 id = 0;  // the row's id in its table: the cursor's unit
    QByteArray conteudo;
    int tanque = 0;  // a reading's tank, whose retained topic it also updates; 0 otherwise
};

struct Definicao_Fluxo {
    Fluxo fluxo;
    const char* tabela;  // whose ids the cursor follows
    const char* topico;  // under <prefixo>/<estacao>/
    const char* nome;    // in the cursors' table: never renamed
    // Up to `limite` rows after id `depois`; false when SQLite refused the query.
    bool (*ler)(QSqlDatabase& banco, qint64 depois, int limite, std::vector<Linha_Fluxo>& linhas);
};

const Definicao_Fluxo& Definicao(Fluxo fluxo);

// The retained topic of tank `tanque`'s last reading.
QString Topico_Tanque(int tanque);

}  // namespace qx7
