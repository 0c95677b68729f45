#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program.
#
# Without a configured gauge it starts the gauge simulator on a pseudo-terminal linked as COM1
# in a base directory of its own (build/demonstracao), so nothing of the operator's is touched.
#   ./run.sh              the simulator unless Configuração.TXT exists in the base directory
#   ./run.sh --medidor    always the real gauge, on the port Configuração.TXT names
#   ./run.sh --simulador  always the simulator (any further arguments go to the simulator)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target comunicacao-qx7 simulador-qx7

base_do_operador="${QX7_DIRETORIO_BASE:-${XDG_CONFIG_HOME:-$HOME/.config}/Comunicação QX7}"
modo=auto
case "${1:-}" in
    --medidor) modo=medidor; shift ;;
    --simulador) modo=simulador; shift ;;
esac
if [ "$modo" = auto ]; then
    modo=simulador
    [ -f "$base_do_operador/Configuração.TXT" ] && modo=medidor
fi

if [ "$modo" = medidor ]; then
    exec build/comunicacao-qx7
fi

demo="$PWD/build/demonstracao"
mkdir -p "$demo"
printf 'COM1\r\n' > "$demo/Configuração.TXT"
rm -f "$demo/COM1"  # a link left by a simulator that did not end cleanly
build/simulador-qx7 --diretorio "$demo" --com 1 "$@" &
simulador=$!
trap 'kill "$simulador" 2>/dev/null; wait "$simulador" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "$demo/COM1" ] && break
    sleep 0.1
done
echo "Programa contra o simulador: conecte com a senha qx7."
QX7_DIRETORIO_BASE="$demo" build/comunicacao-qx7
