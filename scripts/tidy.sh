#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over every source file of src/ and demo/, using the
# compile commands of a configured build folder (default build/). Fails on any finding.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
jobs="${TALONEX_JOBS:-2}"
if [ ! -f "$build/compile_commands.json" ]; then
    echo "tidy: $build/compile_commands.json is missing; configure the build first" >&2
    exit 2
fi
# The generated moc sources are not ours; the regular expression picks our own files only.
run-clang-tidy -quiet -p "$build" -j "$jobs" "^$root/(src|demo)/.*\\.cpp\$" >"$build/clang-tidy.log" 2>&1 || status=$?
if grep -qE '(warning|error): ' "$build/clang-tidy.log" || [ "${status:-0}" -ne 0 ]; then
    grep -E -A3 '(warning|error): ' "$build/clang-tidy.log" | head -200 >&2
    echo "tidy: findings above (full log: $build/clang-tidy.log)" >&2
    exit 1
fi
echo "tidy: no findings"
