#pragma once
// One Qt SQL connection to Historico.sqlite, owned by one thread: opened under a name of its
// own, closed and removed when it goes. Every reader and the writer hold their own.

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace qx7 {

enum class Modo_Conexao { Leitura, Escrita };

// How long a statement waits for another program's lock before it gives up.
inline constexpr int Espera_Bloqueio_Padrao_ms = 2000;

class Conexao_Historico {
  public:
    // Leitura: an existing file only, read-only. Escrita: created when missing, WAL journal, and
    // a transaction is durable once committed.
    Conexao_Historico(const QString& arquivo, Modo_Conexao modo,
                      int espera_bloqueio_ms = Espera_Bloqueio_Padrao_ms);
    ~Conexao_Historico();
    Conexao_Historico(const Conexao_Historico&) = delete;
    Conexao_Historico& operator=(const Conexao_Historico&) = delete;

    bool Aberta() const { return erro_.isEmpty(); }
    const QString& Erro() const { return erro_; }            // why it is not open
    const QSqlError& Erro_Sql() const { return erro_sql_; }  // and SQLite's code for it, if any
    QSqlDatabase& Banco() { return banco_; }

  private:
    QString nome_;
    QSqlDatabase banco_;
    QString erro_;
    QSqlError erro_sql_;
};

}  // namespace qx7
