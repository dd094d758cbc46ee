#!/usr/bin/env bash
# Usage: scripts/with-wine.sh BUILD_DIR COMMAND...
# Runs COMMAND with a Wine environment of the build tree's own: its prefix (made once per build
# tree), WINEDEBUG=-all, a private Xvfb display (unless KOR_DISPLAY names a real one), and a
# persistent wineserver that is shut down when COMMAND ends.
set -euo pipefail
mkdir -p "$1"
build=$(realpath "$1")
shift

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installers, no menu entries, no crash dialogs waiting for a click.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The 64-bit loader with the native wineserver also starts 32-bit programs, and is much faster
# where the 32-bit side runs under qemu-user.
if [ -x /usr/lib/wine/wine64 ]; then
    export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
else
    export WINE=wine WINESERVER=wineserver
fi

xvfb_pid=""
cleanup() {
    "$WINESERVER" -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -n "${KOR_DISPLAY:-}" ]; then
    export DISPLAY="$KOR_DISPLAY"
else
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 30 -u "$fd" number || { echo "with-wine: Xvfb did not start" >&2; exit 1; }
    exec {fd}<&-
    export DISPLAY=":$number"
fi

if [ ! -e "$WINEPREFIX/.kor-ready" ]; then
    echo "with-wine: creating the Wine prefix in $WINEPREFIX"
    "$WINE" wineboot --init >/dev/null 2>&1
    # On our own display, unmanaged windows: with no window manager, Wine would wait seconds for one
    # at every hide and destroy of a top-level window. Wine draws the frames itself.
    if [ -z "${KOR_DISPLAY:-}" ]; then
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
    # The dialogs are laid out in "MS Sans Serif". Wine's 32-bit side does not always find Wine's
    # own font folder (under qemu-user it does not), and a fallback face makes every dialog wider.
    if [ -d /usr/share/wine/fonts ]; then
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    "$WINESERVER" -w
    touch "$WINEPREFIX/.kor-ready"
fi
"$WINESERVER" -p
# Start Wine's own services now, detached from our output: started later by a test, they would
# inherit its pipes and keep ctest waiting for end-of-file until the wineserver exits.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1

"$@"
