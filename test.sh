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
