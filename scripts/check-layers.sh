#!/usr/bin/env bash
# Fails when a source folder includes a folder that is not below it in the layering that
# src/CMakeLists.txt lists. Each line: a folder, then the folders it may include besides itself.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../src"

declare -A allowed=(
    [zimbrel2]=""
    [data]="zimbrel2"
    [report]="zimbrel2 data"
    [app]="zimbrel2 data"
    [lookup]="zimbrel2 data app"
    [access]="zimbrel2 data app"
    [printing]="zimbrel2 data app report"
    [banner]="zimbrel2"
    [menus]="zimbrel2"
    [cheques]="zimbrel2 data report app lookup access printing banner menus"
    [suite]="zimbrel2 data app"
)

status=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    while IFS=: read -r file line text; do
        target="$(sed -E 's/.*#include "([a-z0-9_]+)\/.*/\1/' <<<"$text")"
        [ "$target" = "$folder" ] && continue
        if ! grep -qw -- "$target" <<<"${allowed[$folder]}"; then
            echo "src/$file:$line: $folder may not include $target/ ($text)" >&2
            status=1
        fi
    done < <(grep -rnE '^#include "[a-z0-9_]+/' "$folder" || true)
done
for folder in */; do
    folder="${folder%/}"
    if [ -z "${allowed[$folder]+set}" ]; then
        echo "src/$folder: a folder that scripts/check-layers.sh does not place in the layering" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
