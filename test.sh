#!/usr/bin/env bash
# Sets up what is missing, builds the program twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test of both builds.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

build_and_test() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

build_and_test build
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build_and_test build-asan -DQX7_SANITIZE=ON

# The line harness under libFuzzer for a bounded time; new inputs go to a scratch folder, a
# crashing one to build-fuzz/ (add it to tests/fuzz/regressions with a test).
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DQX7_FUZZ=ON
cmake --build build-fuzz --target fuzz_line -j "$jobs"
mkdir -p build-fuzz/corpus
build-fuzz/tests/fuzz/fuzz_line -max_total_time="${QX7_FUZZ_SECONDS:-60}" -max_len=4096 \
    -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/corpus
