#!/usr/bin/env bash
# Compiles the program's sources that a Windows build compiles (all but those the CMake files
# keep to Unix) with MinGW-w64, against this machine's Qt headers, and fails when one of them
# does not compile, or when one of our own functions they call is defined only in a Unix file.
# Qt, SQLite and libmosquitto are left to the linker: a Windows build brings its own.
#   scripts/windows_check.sh [SAIDA [ARVORE]]
#   (SAIDA: a folder for the objects, its obj/ emptied first; ARVORE: the source tree, the project's by
#   default)
set -euo pipefail
saida=$(realpath -m "${1:-$(mktemp -d)}")
cd "${2:-$(dirname "$0")/..}"

cxx=x86_64-w64-mingw32-g++-posix
qt=$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
moc=$(qtpaths6 --query QT_HOST_LIBEXECS 2>/dev/null || echo /usr/lib/qt6/libexec)/moc
pastas=()
for p in link gauge text history publish station service widgets screens app; do
    [[ -f $p/CMakeLists.txt ]] && pastas+=("$p")
done

rm -rf "$saida/obj"
mkdir -p "$saida/inc" "$saida/obj"
# The libraries' own headers, alone: the rest of /usr/include is this system's, not Windows'.
for h in sqlite3.h mosquitto.h mqtt_protocol.h; do
    ln -sf "/usr/include/$h" "$saida/inc/$h"
done

# The sources each folder's CMake file keeps to Unix: inside if(UNIX) ... endif(), or in the
# else() of if(WIN32).
so_unix=$(for p in "${pastas[@]}"; do
    awk -v p="$p" '
        /^if\(UNIX\)/ {u = 1}
        /^if\(WIN32\)/ {w = 1}
        /^else\(\)/ && w {u = 1}
        /^endif\(\)/ {u = 0; w = 0}
        u {for (i = 1; i <= NF; i++) if ($i ~ /\.cpp\)?$/) {sub(/\)$/, "", $i); print p "/" $i}}
    ' "$p/CMakeLists.txt"
done)
fontes=()
while read -r f; do
    grep -qxF "$f" <<<"$so_unix" || fontes+=("$f")
done < <(find "${pastas[@]}" -name '*.cpp' | sort)

# Others' headers as system headers: their warnings are not ours to mend.
inclui=(-I. -I"$saida/obj" -isystem "$saida/inc" -isystem "$qt")
for m in QtCore QtGui QtWidgets QtSql QtSerialPort QtCharts QtPrintSupport QtConcurrent; do
    inclui+=(-isystem "$qt/$m")
done

# Meta-object code for every class with Q_OBJECT, so that their signals count as defined.
mocs=()
while read -r h; do
    mocs+=("$saida/obj/moc_$(tr / _ <<<"${h%.h}").cpp")
    "$moc" "$h" -o "${mocs[-1]}"
done < <(grep -rl --include='*.h' 'Q_OBJECT' "${pastas[@]}" | sort || true)
for f in "${fontes[@]}"; do
    if grep -q 'Q_OBJECT' "$f"; then
        "$moc" "$f" -o "$saida/obj/$(basename "${f%.cpp}").moc"
    fi
done
fontes+=("${mocs[@]}")

compilar() {
    local f=$1 o
    o="$saida/obj/$(tr / _ <<<"${f#"$saida"/obj/}").o"
    # shellcheck disable=SC2086 # the folders hold no blanks
    if ! "$cxx" -std=c++20 -Wall -Wextra -Werror $inclui_texto -c "$f" -o "$o" 2>"$o.err"; then
        echo "não compila para Windows: $f" >&2
        head -20 "$o.err" >&2
        return 1
    fi
}
export -f compilar
export saida cxx inclui_texto="${inclui[*]}"
printf '%s\0' "${fontes[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c 'compilar "$0"'

# Our functions the compiled objects call but none defines.
x86_64-w64-mingw32-nm -C --defined-only "$saida"/obj/*.o | sed -E 's/^[0-9a-f]+ . //' |
    { grep '^qx7::' || true; } | sort -u >"$saida/definidos"
x86_64-w64-mingw32-nm -C --undefined-only "$saida"/obj/*.o | sed -E 's/^ +U //' |
    { grep '^qx7::' || true; } | sort -u >"$saida/usados"
faltam=$(comm -23 "$saida/usados" "$saida/definidos")
if [[ -n $faltam ]]; then
    echo "definidos só em fontes de Unix:" >&2
    echo "$faltam" >&2
    exit 1
fi
echo "${#fontes[@]} fontes compilam para Windows; nada do programa falta na ligação"
