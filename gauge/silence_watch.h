#pragma once
// How long the gauge has owed an answer while the operator is connected (or the service runs):
// from the first second a request waited, or the line could not be used, until anything comes
// back from the gauge. A station connected but asking nothing owes nothing; a request given up
// after its repetitions is still owed. Ticked about once a second with the program's clock.

#include <cstdint>
#include <optional>

namespace qx7 {

struct Estado_Silencio {
    bool conectado = false;       // the operator connected, or the service runs
    bool esperando = false;       // a request waits for its answer, or the line cannot be used
    std::uint64_t respostas = 0;  // a count of what the gauge sent, for telling a new answer
};

struct Silencio_Medidor {
    double minutos = 0;      // owed since the first request still unanswered (0: none waits)
    bool respondeu = false;  // the gauge sent something since the last tick
};

class Vigia_Silencio {
  public:
    // None while not connected: nothing is judged then, and the count starts again afterwards.
    std::optional<Silencio_Medidor> Tick(std::int64_t agora_ms, Estado_Silencio estado);

  private:
    std::optional<std::int64_t> desde_ms_;
    std::uint64_t respostas_ = 0;
};

}  // namespace qx7
