#!/usr/bin/env bash
# Usage: scripts/run-bench.sh BUILD_DIR
# Runs every benchmark program of the Windows tree under Wine. Each prints lines of the form
# "bench: <name> <median> <unit> baseline <median> <unit> ratio <r>".
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$0")
mapfile -t benches < <(find "$build/win" -name '*_bench.exe' | sort)  # absolute: each runs from its own folder
[ ${#benches[@]} -gt 0 ] || { echo "no benchmarks built"; exit 0; }
"$here/with-wine.sh" "$build/win" bash -c 'for b in "$@"; do (cd "$(dirname "$b")" && "$WINE" "$b"); done' _ "${benches[@]}"
