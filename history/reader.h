#pragma once
// A history file opened for reading only: the program's own, a file moved aside after damage
// or a backup copy. A file that is no history of this program, or one written by a newer
// release whose layout this one does not know, is refused with the reason.

#include <QSqlDatabase>
#include <QString>

#include "history/connection.h"

namespace qx7 {

class Leitor_Historico {
  public:
    explicit Leitor_Historico(const QString& arquivo);

    bool Aberto() const { return erro_.isEmpty(); }
    // Why it is not open, in Portuguese, naming the file.
    const QString& Erro() const { return erro_; }
    QSqlDatabase& Banco() { return conexao_.Banco(); }

  private:
    Conexao_Historico conexao_;
    QString erro_;
};

}  // namespace qx7
