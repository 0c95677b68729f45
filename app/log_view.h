#pragma once
// The communication log as its writers see it: every line is appended to the model and drawn
// before Adicionar returns, so it shows even while the caller keeps the thread busy.

#include <QTableView>
#include <string>

#include "app/log_model.h"
#include "link/log_sink.h"

namespace qx7 {

// Msg_Log: a list box of one line per row, all rows the same height, no scrolling to follow
// new lines. A one-column table without headers or grid: unlike a list view, which lays all
// rows out again after every insertion, it takes a new row in constant time, so a log of a
// million lines costs no more per line than an empty one.
class Vista_Log : public QTableView {
    Q_OBJECT

  public:
    explicit Vista_Log(QWidget* parent = nullptr);

    // Paints the visible rows now, without waiting for the event loop.
    void Redesenhar_Agora();

  protected:
    void changeEvent(QEvent* evento) override;

  private:
    void Ajustar_Altura_Linhas();
};

class Registro_Log : public Registro {
  public:
    Registro_Log(Modelo_Log& modelo, Vista_Log& vista) : modelo_(modelo), vista_(vista) {}

    void Adicionar(std::string linha) override;

  private:
    Modelo_Log& modelo_;
    Vista_Log& vista_;
};

}  // namespace qx7
