#!/usr/bin/env bash
# Prints, for every folder, the folders its #include "…" lines reach, and fails when one of
# them reaches a folder above it. The layers, bottom first:
#   link < gauge < text < history < publish < station < service < widgets < screens < app
# tools/ and tests/ stand beside the program and may include any folder.
#   scripts/include_graph.sh [TREE]   (TREE: the source tree to look at, the project's by default)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

camadas=(link gauge text history publish station service widgets screens app)
declare -A nivel
for i in "${!camadas[@]}"; do
    nivel[${camadas[$i]}]=$i
done

falhou=0
for pasta in "${camadas[@]}" tools tests; do
    [[ -d $pasta ]] || continue
    alcancadas=$(grep -rhoE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/' "$pasta" |
        sed -E 's/.*"([^"/]+)\/$/\1/' | sort -u | grep -vx "$pasta" | tr '\n' ' ' || true)
    echo "$pasta -> ${alcancadas% }"
    [[ -v nivel[$pasta] ]] || continue
    for alvo in $alcancadas; do
        if [[ ! -v nivel[$alvo] ]] || ((nivel[$alvo] > nivel[$pasta])); then
            echo "  camada violada: $pasta inclui $alvo" >&2
            grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"$alvo/" "$pasta" >&2
            falhou=1
        fi
    done
done
exit "$falhou"
