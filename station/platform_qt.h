#pragma once
// What the link needs from the event loop, with QtCore only: the yields, the pause, the clock
// as the operator reads it and the regional decimal separator. The window and the service
// share it.

#include <QObject>
#include <QTimer>
#include <string>

#include "link/platform.h"

namespace qx7 {

class Plataforma_Qt : public QObject, public Plataforma {
  public:
    explicit Plataforma_Qt(QObject* parent = nullptr);

    void Processar_Eventos() override;
    void Aguardar_Eventos(int ms_max) override;
    void Pausa_ms(int ms) override;
    std::string Data_Atual() override;
    std::string Hora_Atual() override;
    char Separador_Decimal() const override;

  private:
    QTimer despertador_;  // bounds Aguardar_Eventos' sleep
};

}  // namespace qx7
