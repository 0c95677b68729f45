#pragma once
// An opaque filled rectangle with a thin black border, the building block of the tank
// drawings.

#include <QColor>
#include <QWidget>

namespace qx7 {

class Forma_Preenchida : public QWidget {
    Q_OBJECT

  public:
    Forma_Preenchida(const QColor& cor, QWidget* parent);

    QColor Cor() const { return cor_; }

  protected:
    void paintEvent(QPaintEvent* evento) override;

  private:
    QColor cor_;
};

// The system's scroll-bar colour, which the tank drawings use for the empty share and the
// nozzles: the palette's Mid grey, the shade the styles give a scroll bar's groove.
QColor Cor_Barra_Rolagem();

}  // namespace qx7
