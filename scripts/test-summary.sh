#!/usr/bin/env bash
# Usage: scripts/test-summary.sh RESULTS_DIR...
# Adds up the test cases of every test program from GoogleTest's XML files, with ctest's JUnit
# file as the judge of whether each program passed: a program that failed or did not run without a
# failing test case to show for it (a crash, a timeout, a missing program, no XML) counts as one
# more failure.
set -uo pipefail
passed=0
failed=0
for dir in "$@"; do
    [ -f "$dir/ctest.xml" ] || { failed=$((failed + 1)); echo "no results in $dir" >&2; continue; }
    while read -r name status; do
        tests=0 failures=0
        xml="$dir/$name.xml"
        if [ -f "$xml" ]; then
            read -r tests failures < <(sed -n 's/.*<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)".*/\1 \2/p' "$xml" | head -n1)
            tests=${tests:-0} failures=${failures:-0}
        fi
        if [ "$status" != run ] && [ "$failures" -eq 0 ]; then
            failures=1
            tests=$((tests + 1))
        fi
        passed=$((passed + tests - failures))
        failed=$((failed + failures))
    done < <(sed -n 's/.*<testcase name="\([^"]*\)".*status="\([a-z]*\)".*/\1 \2/p' "$dir/ctest.xml")
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
