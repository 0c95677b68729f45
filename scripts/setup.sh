#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need. Safe to run again:
# apt-get only installs what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format ccache
    clang-14 libfuzzer-14-dev libclang-rt-14-dev
    qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite
    sqlite3 libsqlite3-dev
    qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation
    xvfb xauth xdotool imagemagick poppler-utils
    libsystemd-dev systemd
    libmosquitto-dev mosquitto mosquitto-clients openssl
    dpkg-dev file desktop-file-utils appstream lintian
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
