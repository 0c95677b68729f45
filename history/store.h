#pragma once
// Writes units into an open, current-version Historico.sqlite, each in one transaction, on the
// writer's thread. Remembers the readings of the inventory run in progress, so the run, its
// totals and the link to its readings are written together when the run completes: a file
// never holds half a run.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtGlobal>
#include <map>

#include "history/units.h"

namespace qx7 {

class Armazem_Historico {
  public:
    explicit Armazem_Historico(QSqlDatabase& banco) : banco_(banco) {}

    // False, and `erro` filled, when nothing of the unit was written.
    bool Gravar(const Unidade_Historico& unidade, QSqlError& erro);
    // Whether the unit holds anything an operator reads back (a reading, a run, a series or a
    // clock answer), as opposed to bookkeeping.
    static bool Registro_Do_Operador(const Unidade_Historico& unidade);

  private:
    bool Executar(QSqlQuery& q);  // keeps the error of a failed statement
    bool Escrever(const Unidade_Leitura& u);
    bool Escrever(const Unidade_Inicio_Inventario& u);
    bool Escrever(const Unidade_Fim_Inventario& u);
    bool Escrever(const Unidade_Serie& u);
    bool Escrever(const Unidade_Relogio& u);
    bool Escrever(const Unidade_Contadores& u);

    QSqlDatabase& banco_;
    QSqlError erro_;
    std::map<int, qint64> leituras_do_inventario_;  // tank → row, the last reading of each tank
    // What the transaction under way changes in that list, applied once it is committed.
    std::map<int, qint64> pendentes_;
    bool limpar_inventario_ = false;
};

}  // namespace qx7
