#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on Debian 12. Idempotent: it prints what it
# installs and does nothing when everything is there.
set -euo pipefail

packages=(
    cmake make g++ googletest
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    wine wine64 wine32:i386 fonts-wine
    xvfb xauth imagemagick
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

missing() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${db:Status-Status}\n' "$p" 2>/dev/null | grep -qx installed || echo "$p"
    done
}

# Some virtual machines run 64-bit user code only; there Wine's 32-bit loader runs under
# qemu-user, registered for i386 ELF files. The qemu of Debian 12 starts a Wine process in about
# a minute (it cannot honour Wine's address-space reservations); the backported one in under a second.
register_qemu_i386() {
    local binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
    [ -e "$binfmt/qemu-i386" ] && return
    echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
        $sudo tee "$binfmt/register" >/dev/null
}

runs_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-deps: adding the i386 architecture"
    $sudo dpkg --add-architecture i386
fi

need=$(missing "${packages[@]}")
if [ -n "$need" ]; then
    echo "install-deps: installing" $need
    $sudo apt-get update -q
    # shellcheck disable=SC2086
    $sudo apt-get install -y -q --no-install-recommends $need
fi

if ! runs_i386; then
    if [ -n "$(missing qemu-user-static)" ] || ! /usr/bin/qemu-i386-static --version | grep -q 'version [1-9][0-9]'; then
        echo "install-deps: this kernel runs no 32-bit programs; installing qemu-user-static from bookworm-backports"
        list=/etc/apt/sources.list.d/bookworm-backports.list
        [ -e "$list" ] || echo 'deb http://deb.debian.org/debian bookworm-backports main' | $sudo tee "$list" >/dev/null
        $sudo apt-get update -q
        $sudo apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user-static
    fi
    register_qemu_i386
    runs_i386 || { echo "install-deps: 32-bit programs still do not run" >&2; exit 1; }
fi
