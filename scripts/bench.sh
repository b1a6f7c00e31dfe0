#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table of the results.
# Usage: scripts/bench.sh [benchmark-name-filter]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
talonex_install
talonex_build
filter="${1:-.}"
results="$(mktemp -d)"
for bin in "$TALONEX_BUILD"/bench/bench_*; do
    # The folder also holds each binary's *_autogen directory, which is "executable" too.
    [ -f "$bin" ] && [ -x "$bin" ] || continue
    if ! "$bin" --benchmark_filter="$filter" --benchmark_format=csv >"$results/$(basename "$bin").csv" 2>"$results/$(basename "$bin").err"; then
        echo "talonex: $(basename "$bin") failed:" >&2
        cat "$results/$(basename "$bin").err" >&2
    fi
done
printf '%-52s %14s %10s %16s\n' "benchmark" "time" "unit" "items/s"
for csv in "$results"/*.csv; do
    tail -n +2 "$csv" | while IFS=, read -r name iterations real cpu unit bytes items rest; do
        name="${name//\"/}"
        [ -n "$items" ] && items="$(printf '%.0f' "$items")"
        printf '%-52s %14.3f %10s %16s\n' "$name" "$real" "$unit" "${items:--}"
    done
done
rm -rf "$results"
