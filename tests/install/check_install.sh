#!/usr/bin/env bash
# Installs a build into a scratch prefix and builds its Debian package, then checks what a
# user gets: the installed tree (both programs, a valid desktop entry and metainfo, the icon,
# the man pages, the service's systemd unit, which systemd-analyze verifies), the package's
# contents against the install rules, lintian, and that both the installed and the unpacked
# program put their first frame on the wire against the simulator.
#   tests/install/check_install.sh BUILD_DIR
set -uo pipefail

build=$(realpath "$1")
raiz=$(mktemp -d "${TMPDIR:-/tmp}/qx7-instalacao.XXXXXX")
trap 'rm -rf "$raiz"' EXIT
falhas=0

# passo NOME COMANDO...: runs one check, tells OK or FALHOU with the command's output.
passo() {
    local nome=$1
    shift
    if "$@" >"$raiz/saida" 2>&1; then
        echo "OK      $nome"
    else
        echo "FALHOU  $nome"
        falhas=$((falhas + 1))
    fi
    sed 's/^/        /' "$raiz/saida"
}

arvore_completa() {
    local r=$1 falta=0 f
    for f in usr/bin/comunicacao-qx7 usr/bin/simulador-qx7; do
        [ -x "$r/$f" ] || { echo "falta o programa /$f"; falta=1; }
    done
    local icone
    icone=$(sed -n 's/^Icon=//p' "$r"/usr/share/applications/*.desktop)
    for f in "usr/share/icons/hicolor/scalable/apps/$icone.svg" \
        "usr/share/icons/hicolor/48x48/apps/$icone.png" \
        usr/share/man/man1/comunicacao-qx7.1.gz usr/share/man/man1/simulador-qx7.1.gz \
        usr/share/doc/comunicacao-qx7/copyright lib/systemd/system/comunicacao-qx7@.service; do
        [ -s "$r/$f" ] || { echo "falta /$f"; falta=1; }
    done
    return $falta
}

# The same file list from the install rules (the manifest of the DESTDIR install) and from
# the package.
conteudo_confere() {
    sed "s|^$raiz/destdir||" "$build/install_manifest.txt" | sort >"$raiz/pelas-regras"
    dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./|/|' |
        sort >"$raiz/no-pacote"
    diff -u "$raiz/pelas-regras" "$raiz/no-pacote" && cat "$raiz/no-pacote"
}

# The program of tree R against the simulator of tree R on a pseudo-terminal linked as COM1 in
# a scratch base directory: the first request the simulator answers must be the
# identification, ID02.
primeiro_quadro() {
    local r=$1 base=$2
    mkdir -p "$base"
    printf 'COM1\r\n' >"$base/Configuração.TXT"
    timeout 60 "$r/usr/bin/simulador-qx7" --diretorio "$base" --com 1 >"$base/simulador.txt" 2>&1 &
    local simulador=$!
    for _ in $(seq 100); do
        [ -e "$base/COM1" ] && break
        sleep 0.1
    done
    QX7_DIRETORIO_BASE="$base" QT_QPA_PLATFORM=offscreen timeout 60 "$r/usr/bin/comunicacao-qx7" \
        >"$base/programa.txt" 2>&1 &
    local programa=$!
    for _ in $(seq 300); do
        grep -q '^Pedido' "$base/simulador.txt" && break
        sleep 0.1
    done
    kill "$programa" "$simulador" 2>/dev/null
    wait "$programa" "$simulador" 2>/dev/null
    local primeiro
    primeiro=$(grep -m1 '^Pedido' "$base/simulador.txt")
    if [[ $primeiro != *ID02* ]]; then
        echo "o simulador não recebeu ID02 primeiro:"
        cat "$base/simulador.txt" "$base/programa.txt"
        return 1
    fi
    echo "simulador: $primeiro"
}

# The template unit as systemd reads it, for one account: its program the one of the tree, its
# man page there too. The security exposure is printed (the README quotes it).
unidade_valida() {
    local r=$1 unidade="$raiz/unidade/comunicacao-qx7@verificacao.service"
    mkdir -p "$raiz/unidade"
    sed "s|^ExecStart=/usr/bin/|ExecStart=$r/usr/bin/|" \
        "$r/lib/systemd/system/comunicacao-qx7@.service" >"$unidade"
    grep -q '^ExecStart=/usr/bin/comunicacao-qx7 --servico$' \
        "$r/lib/systemd/system/comunicacao-qx7@.service" ||
        { echo "ExecStart não é /usr/bin/comunicacao-qx7 --servico"; return 1; }
    MANPATH="$r/usr/share/man" systemd-analyze verify "$unidade" || return 1
    systemd-analyze security --offline=true "$unidade" | tail -n 1
}

lintian_sem_erros() {
    lintian --fail-on error,warning --display-info "$deb"
}

passo "cmake --install em DESTDIR" \
    env DESTDIR="$raiz/destdir" cmake --install "$build" --prefix /usr --strip
passo "árvore instalada completa" arvore_completa "$raiz/destdir"
passo "desktop-file-validate" \
    desktop-file-validate "$raiz"/destdir/usr/share/applications/*.desktop
passo "appstreamcli validate --no-net" \
    appstreamcli validate --no-net "$raiz"/destdir/usr/share/metainfo/*.metainfo.xml
passo "systemd-analyze verify da unidade do serviço" unidade_valida "$raiz/destdir"
passo "programa instalado: primeiro quadro na linha" \
    primeiro_quadro "$raiz/destdir" "$raiz/base-instalado"

passo "cpack -G DEB" cpack -G DEB -B "$raiz/pacote" --config "$build/CPackConfig.cmake"
deb=$(ls "$raiz"/pacote/*.deb 2>/dev/null | head -n 1)
passo "dpkg-deb --info" dpkg-deb --info "$deb"
passo "dpkg-deb --contents = regras de instalação" conteudo_confere
passo "lintian sem erros nem avisos" lintian_sem_erros
passo "dpkg -x" dpkg -x "$deb" "$raiz/extraido"
passo "programa do pacote: primeiro quadro na linha" \
    primeiro_quadro "$raiz/extraido" "$raiz/base-pacote"

if [ "$falhas" -ne 0 ]; then
    echo "Instalação e pacote: FALHOU ($falhas verificações)"
    exit 1
fi
echo "Instalação e pacote: OK ($(basename "$deb"))"
