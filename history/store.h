#pragma once
// Writes units into an open, current-version Historico.sqlite, each in one transaction, on the
// writer's thread. The inventory run under way is remembered outside the file, so the run, its
// totals and the link to its readings are written together when the run completes: a file
// never holds half a run.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtGlobal>
#include <map>
#include <optional>

#include "history/units.h"

namespace qx7 {

// The inventory run under way as the file knows it: whether its start was seen, and the row
// of the last reading of each of its tanks. Only readings that came after the start belong.
struct Corrida_Inventario {
    bool aberta = false;
    std::map<int, qint64> leituras;  // tank → row
};

class Armazem_Historico {
  public:
    // `corrida` outlives the store: a file reopened after a failure goes on with the same run.
    Armazem_Historico(QSqlDatabase& banco, Corrida_Inventario& corrida)
        : banco_(banco), corrida_(corrida) {}

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
    bool Escrever(const Unidade_Perdas& u);
    // alarm_store.cpp
    bool Escrever(const Unidade_Alarme& u);
    bool Escrever(const Unidade_Descarga& u);
    // The occurrence's row, added unless the file has it; none when a statement failed.
    std::optional<qint64> Ocorrencia(const Alarme& alarme, bool& ja_gravada);

    QSqlDatabase& banco_;
    Corrida_Inventario& corrida_;
    Corrida_Inventario nova_;  // the run as the transaction under way leaves it
    QSqlError erro_;
};

}  // namespace qx7
