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

class Vigia_Silencio {
  public:
    // Minutes owed (0: nothing is); none while not connected, when nothing is to be judged.
    std::optional<double> Tick(std::int64_t agora_ms, Estado_Silencio estado);

  private:
    std::optional<std::int64_t> desde_ms_;
    std::uint64_t respostas_ = 0;
};

}  // namespace qx7
