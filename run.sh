#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
exec build/comunicacao-qx7 "$@"
