#pragma once
// What the writer's tests share: a reading unit stamped with a given time, the writer's reports
// gathered across threads, and a wait for something the writer's thread does.

#include <QString>
#include <QtGlobal>
#include <functional>
#include <mutex>
#include <vector>

#include "history/writer.h"

namespace qx7::teste {

// A reading of tank `t` taken at `instante_ms`, with a frame of 60 bytes.
Unidade_Historico Leitura_Tanque(int t, qint64 instante_ms = 1000, bool do_inventario = false);

class Avisos {
  public:
    std::function<void(const Aviso_Historico&)> Receber();
    std::vector<Aviso_Historico> Lista() const;
    std::vector<Aviso_Historico> Do_Tipo(Aviso_Historico::Tipo tipo) const;

  private:
    mutable std::mutex mutex_;
    std::vector<Aviso_Historico> lista_;
};

// Polls `condicao` until it holds or `ms` pass; whether it held.
bool Esperar(const std::function<bool()>& condicao, int ms = 10'000);

}  // namespace qx7::teste
