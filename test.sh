#!/usr/bin/env bash
# Sets up what is missing, builds the program twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test of both builds, checks that the sources a
# Windows build compiles compile there, fuzzes the line harness, then builds the program as a
# packager does and checks its installation and its Debian package.
#   ./test.sh          all of it
#   ./test.sh pacote   only the packager's build, the installation and the package
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Warnings are errors here, so that a compiler's warning is seen and mended in the code. With
# ccache an unchanged file is not compiled again on the next run, in any of the builds.
comum=(-G Ninja -DQX7_WERROR=ON)
if command -v ccache >/dev/null; then
    comum+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
fi

build_and_test() {
    local dir=$1
    shift
    cmake -S . -B "$dir" "${comum[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

sanitizers() {
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        build_and_test build-asan -DQX7_SANITIZE=ON
}

# The line harness under libFuzzer for a bounded time; new inputs go to a scratch folder, a
# crashing one to build-fuzz/ (add it to tests/fuzz/regressions with a test). Only the
# harness is built.
fuzz() {
    cmake -S . -B build-fuzz "${comum[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 -DQX7_FUZZ=ON
    cmake --build build-fuzz --target fuzz_line -j "$jobs"
    mkdir -p build-fuzz/corpus
    build-fuzz/tests/fuzz/fuzz_line -max_total_time="${QX7_FUZZ_SECONDS:-60}" -max_len=4096 \
        -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/corpus
}

# As a packager builds it: Release, no tests, GoogleTest and Qt Test hidden (so the build
# shows it needs neither); then install, package and start what was installed.
pacote() {
    cmake -S . -B build-pacote "${comum[@]}" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON \
        --no-warn-unused-cli
    cmake --build build-pacote -j "$jobs"
    tests/install/check_install.sh build-pacote
}

case "${1:-}" in
    "")
        build_and_test build
        ./scripts/include_graph.sh  # every folder includes only the folders below it
        ./scripts/windows_check.sh build-windows
        sanitizers
        fuzz
        pacote
        ;;
    pacote) pacote ;;
    *)
        echo "uso: ./test.sh [pacote]" >&2
        exit 2
        ;;
esac
