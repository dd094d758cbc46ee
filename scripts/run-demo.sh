#!/usr/bin/env bash
# Usage: scripts/run-demo.sh BUILD_DIR
# The demo: a copy of demo/ (the map pictures and a sample annotate.csv) as the current folder, the
# stand-in game walking its party through the town and several levels, and KOR following it. On a
# display KOR opens there; without one it runs on a private Xvfb display, where a screenshot is
# taken after a few seconds and its path printed.
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
folder="$build/demo"
rm -rf "$folder"
cp -r "$here/../demo" "$folder"

if [ -n "${DISPLAY:-}" ]; then
    # A prefix of its own, with windows managed by the desktop's window manager.
    KOR_DISPLAY="$DISPLAY" "$here/with-wine.sh" "$build/display" bash -c '
        cd "$1"
        "$WINE" "$2/win/tools/gamesim/vorkal.exe" --demo &
        "$WINE" "$2/win/app/KOR.exe"
        kill $! 2>/dev/null || true' _ "$folder" "$build"
else
    shot="$build/demo-screenshot.png"
    "$here/with-wine.sh" "$build/win" bash -c '
        cd "$1"
        "$WINE" "$2/win/tools/gamesim/vorkal.exe" --demo &
        "$WINE" "$2/win/app/KOR.exe" &
        sleep 12
        import -window root "$3"' _ "$folder" "$build" "$shot"
    echo "make run: no display; KOR ran on a private one. Screenshot: $shot"
fi
