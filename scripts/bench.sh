#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table of the results.
# Usage: scripts/bench.sh [benchmark-name-filter]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
talonex_install
talonex_build
filter="${1:-.}"
results="$(mktemp -d)"
n=0
for bin in "$TALONEX_BUILD"/bench/bench_*; do
    # The folder also holds each binary's *_autogen directory, which is "executable" too.
    [ -f "$bin" ] && [ -x "$bin" ] || continue
    # One run per benchmark: the CSV report wants the same counters in every row of a run.
    while read -r name; do
        [ -n "$name" ] || continue
        n=$((n + 1))
        if ! "$bin" --benchmark_filter="^${name}\$" --benchmark_format=csv \
            >"$results/$(printf '%03d' "$n").csv" 2>"$results/$n.err"; then
            echo "talonex: $(basename "$bin") $name failed:" >&2
            cat "$results/$n.err" >&2
        fi
    done < <("$bin" --benchmark_list_tests --benchmark_filter="$filter" 2>/dev/null)
done
printf '%-52s %14s %6s %14s  %s\n' "benchmark" "time" "unit" "items/s" "counters"
for csv in "$results"/*.csv; do
    [ -s "$csv" ] || continue
    awk -F, '
        NR == 1 { for (i = 11; i <= NF; ++i) { gsub(/"/, "", $i); counter[i] = $i }; next }
        {
            gsub(/"/, "", $1)
            items = ($7 == "") ? "-" : sprintf("%.0f", $7)
            extra = ""
            for (i = 11; i <= NF; ++i) if ($i != "") extra = extra counter[i] "=" sprintf("%.1f", $i) " "
            printf "%-52s %14.3f %6s %14s  %s\n", $1, $3, $5, items, extra
        }' "$csv"
done
rm -rf "$results"
