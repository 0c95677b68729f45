#!/usr/bin/env bash
# The Windows check fails a tree with a source that does not compile for Windows, and one
# whose code calls a function defined only in a Unix file; it passes the tree once a Windows
# file defines that function too.
#   tests/scripts/test_windows_check.sh SCRIPT
set -uo pipefail
script=$(realpath "$1")
arvore=$(mktemp -d "${TMPDIR:-/tmp}/qx7-windows.XXXXXX")
trap 'rm -rf "$arvore"' EXIT
mkdir -p "$arvore/station"
cat >"$arvore/station/CMakeLists.txt" <<'CMAKE'
add_library(qx7_station STATIC porta.cpp)
if(WIN32)
    target_sources(qx7_station PRIVATE linha_windows.cpp)
else()
    target_sources(qx7_station PRIVATE linha_posix.cpp)
endif()
CMAKE
echo '#include <termios.h>
namespace qx7 { int Abrir() { return 0; } }' >"$arvore/station/linha_posix.cpp"

verificar() {  # verificar PASSA|FALHA TEXTO_ESPERADO
    local esperado=$1 texto=$2 rc=0
    "$script" "$arvore/saida" "$arvore" >"$arvore/relato" 2>&1 || rc=$?
    if [[ $esperado == PASSA && $rc -ne 0 || $esperado == FALHA && $rc -eq 0 ]] ||
        ! grep -qF "$texto" "$arvore/relato"; then
        echo "esperado $esperado com \"$texto\":"
        cat "$arvore/relato"
        exit 1
    fi
}

echo '#include <termios.h>
namespace qx7 { int Usar() { return 1; } }' >"$arvore/station/porta.cpp"
verificar FALHA 'não compila para Windows: station/porta.cpp'

echo 'namespace qx7 { int Abrir(); int Usar() { return Abrir(); } }' >"$arvore/station/porta.cpp"
verificar FALHA 'qx7::Abrir()'

echo 'namespace qx7 { int Abrir() { return 1; } }' >"$arvore/station/linha_windows.cpp"
verificar PASSA 'nada do programa falta na ligação'
echo "OK"
