#pragma once
// The history's daily copy: a consistent copy of the file made by SQLite on the writer's thread,
// in the Backup folder of the base directory, named after the moment it was made
// (Historico-AAAAMMDD-HHMMSS.sqlite); the last seven are kept.

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace qx7 {

inline constexpr int Copias_Mantidas = 7;
inline constexpr qint64 Intervalo_Copias_ms = 24LL * 60 * 60 * 1000;
// A copy that failed is tried again this much later, not at every unit.
inline constexpr qint64 Espera_Apos_Falha_Copia_ms = 60LL * 60 * 1000;

struct Resultado_Copia {
    bool feita = false;
    QString arquivo;  // the copy made
    QString erro;     // why none was made
};

class Copias_Seguranca {
  public:
    // Makes a copy of the file at the path given (a new file); false with the reason.
    using Copiar = std::function<bool(const QString& destino, QString& erro)>;

    explicit Copias_Seguranca(QString pasta);

    // None in the last day, and none tried in the last hour; the folder is read the first time.
    bool Devida(qint64 agora_ms);
    // The copy for `agora_ms`, then the oldest beyond Copias_Mantidas removed.
    Resultado_Copia Fazer(qint64 agora_ms, const Copiar& copiar);

  private:
    QString pasta_;
    std::optional<qint64> ultima_ms_;  // the newest copy; unset until the folder has been read
    qint64 proxima_tentativa_ms_ = 0;
};

}  // namespace qx7
