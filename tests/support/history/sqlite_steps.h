#pragma once
// Counts the work SQLite does for the statements run on one connection: the steps of its
// virtual machine, which grow with the rows a query visits and not with the machine's speed.
// SQLite's own counters are reached through the library Qt's driver has loaded.

#include <QSqlDatabase>
#include <QtGlobal>

struct sqlite3;

namespace qx7::teste {

class Contador_Passos {
  public:
    explicit Contador_Passos(QSqlDatabase& banco);
    ~Contador_Passos();
    Contador_Passos(const Contador_Passos&) = delete;
    Contador_Passos& operator=(const Contador_Passos&) = delete;

    // False when the driver's SQLite could not be reached; nothing is counted then.
    bool Disponivel() const { return banco_ != nullptr; }
    // The steps of the statements finished since the last call.
    qint64 Tomar();

  private:
    static int Rastro(unsigned evento, void* contexto, void* comando, void* extra);

    sqlite3* banco_ = nullptr;
    qint64 passos_ = 0;
};

}  // namespace qx7::teste
