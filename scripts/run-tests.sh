#!/usr/bin/env bash
# Usage: scripts/run-tests.sh BUILD_DIR
# Runs the host tests, then the Windows tests under Wine, and ends with one line:
# "N passed, M failed", counting test cases. Exits non-zero when anything failed.
set -uo pipefail
build=$(realpath "$1")
here=$(dirname "$0")

for tree in host win; do
    rm -rf "$build/$tree/results"
    mkdir -p "$build/$tree/results"
done

ctest --test-dir "$build/host" -j"$(nproc)" --output-on-failure --output-junit "$build/host/results/ctest.xml"
"$here/with-wine.sh" "$build/win" \
    ctest --test-dir "$build/win" --output-on-failure --output-junit "$build/win/results/ctest.xml"

"$here/test-summary.sh" "$build/host/results" "$build/win/results"
