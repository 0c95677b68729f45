#pragma once
// The CPU time this process has used, user and system, in seconds: what a busy loop burns and a
// sleeping wait does not.

#include <ctime>

namespace qx7::teste {

inline double Segundos_De_Cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace qx7::teste
