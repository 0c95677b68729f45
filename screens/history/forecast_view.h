#pragma once
// The day each tank runs dry, as the "Tanques" tab shows it: the consumption rate over the last
// seven days of the file's readings (deliveries left out) and when the tank reaches its "Baixo"
// level and empty, counted from its last reading. The file's own newest reading ends the seven
// days, so a backup copy forecasts as of its day.

#include <QWidget>
#include <functional>

#include "gauge/alarms.h"

class QSqlDatabase;
class QStandardItemModel;

namespace qx7 {

class Vista_Previsao : public QWidget {
    Q_OBJECT

  public:
    explicit Vista_Previsao(QWidget* parent = nullptr);

    // The limits "Baixo" is read from; empty: none (the window alone), only empty is forecast.
    std::function<Config_Alarmes()> config;

    // nullptr: there is no history to read.
    void Atualizar(QSqlDatabase* banco);
    const QStandardItemModel& Modelo() const { return *modelo_; }

  private:
    QStandardItemModel* modelo_ = nullptr;
};

}  // namespace qx7
