#pragma once
// The writer thread's side of the file: opened, checked and brought to the current version, or
// moved aside when corrupt and started again; every failure told as the operator reads it.

#include <QSqlError>
#include <QString>
#include <memory>
#include <optional>

#include "history/connection.h"
#include "history/store.h"

namespace qx7 {

// Why an SQLite error stops the history, in Portuguese; none when the file is corrupt, which
// is handled by starting a new one.
std::optional<QString> Motivo_Falha(const QSqlError& erro, const QString& arquivo);

// The name a corrupt file is moved to, beside it: Historico-corrompido-AAAAMMDD-HHMMSS.sqlite.
QString Nome_Corrompido(const QString& arquivo);

class Sessao_Gravacao {
  public:
    Sessao_Gravacao(QString arquivo, int limite_paginas);

    // False, and `motivo` filled, when the file cannot be used at all. A corrupt file is moved
    // aside first and `aviso` tells where.
    bool Abrir(QString& motivo, QString& aviso);
    // The unit, in one transaction; on a corrupt file the file is renewed and the unit tried
    // once more. False, and `motivo` filled, when the history must stop.
    bool Gravar(const Unidade_Historico& unidade, QString& motivo, QString& aviso);

  private:
    bool Abrir_Arquivo(QSqlError& erro, QString& motivo);
    bool Renovar(QString& motivo, QString& aviso);

    QString arquivo_;
    int limite_paginas_ = 0;
    std::unique_ptr<Conexao_Historico> conexao_;
    std::unique_ptr<Armazem_Historico> armazem_;
};

}  // namespace qx7
