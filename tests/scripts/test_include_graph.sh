#!/usr/bin/env bash
# The include-graph check fails a tree in which a lower folder includes a higher one, names
# the offending line, and passes the same tree once the include points down.
#   tests/scripts/test_include_graph.sh SCRIPT
set -uo pipefail
script=$(realpath "$1")
arvore=$(mktemp -d "${TMPDIR:-/tmp}/qx7-camadas.XXXXXX")
trap 'rm -rf "$arvore"' EXIT
mkdir -p "$arvore/link" "$arvore/station" "$arvore/app"
echo '#include "link/frame.h"' >"$arvore/station/porta.cpp"
echo '#include "station/porta.h"' >"$arvore/app/janela.cpp"
echo '#include "app/janela.h"' >"$arvore/link/frame.cpp"

if "$script" "$arvore" >"$arvore/saida" 2>&1; then
    echo "a inclusão para cima passou:"; cat "$arvore/saida"; exit 1
fi
grep -q 'camada violada: link inclui app' "$arvore/saida" || { cat "$arvore/saida"; exit 1; }
grep -q 'link/frame.cpp:1:' "$arvore/saida" || { cat "$arvore/saida"; exit 1; }

echo '#include "link/digits.h"' >"$arvore/link/frame.cpp"
"$script" "$arvore" >"$arvore/saida" 2>&1 || { echo "a árvore correta falhou:"; cat "$arvore/saida"; exit 1; }
echo "OK"
